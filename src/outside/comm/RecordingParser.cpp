#include "outside/comm/RecordingParser.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "base/Text.h"
#include "outside/comm/RecordingWords.h"
#include "platform/Platform.h"

namespace ravelin {

namespace {

int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if ((c | 0x20) >= L'a' && (c | 0x20) <= L'f') return (c | 0x20) - L'a' + 10;
  return -1;
}

// Decimal or 0x-hexadecimal, -2147483648 to 4294967295; values above
// 2147483647 keep their 32 bits (item ids are often written that way).
std::optional<int32_t> ParseInt32(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
    negative = text[0] == L'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == L'0' && (text[1] | 0x20) == L'x') {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (wchar_t c : text) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFF) return std::nullopt;
  }
  if (negative) {
    if (value > 0x80000000) return std::nullopt;
    return static_cast<int32_t>(-value);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<uint32_t> ParseHex(std::wstring_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  uint32_t value = 0;
  for (wchar_t c : text) {
    const int digit = DigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

std::optional<double> ParseDouble(std::wstring_view text) {
  if (!text.empty() && text[0] == L'+') text.remove_prefix(1);
  const std::string narrow = ToUtf8(text);
  double value = 0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (error != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
  return value;
}

std::wstring Quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

}  // namespace

std::wstring RecordingError::Compose(const std::wstring& file, int line,
                                     const std::wstring& reason) {
  return line > 0 ? Format(L"%s, line %d: %s", file.c_str(), line, reason.c_str())
                  : Format(L"%s: %s", file.c_str(), reason.c_str());
}

RecordingError::RecordingError(const std::wstring& file, int line, const std::wstring& reason)
    : RecordingError(Compose(file, line, reason), line) {}

RecordingError::RecordingError(std::wstring message, int line)
    : std::runtime_error(ToUtf8(message)), message_(std::move(message)), line_(line) {}

class RecordingParser {
 public:
  explicit RecordingParser(const std::wstring& file) : file_(file) {}

  std::shared_ptr<const Recording> Parse(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    for (size_t start = 0;; ++line_) {
      const size_t end = bytes.find('\n', start);
      const std::wstring error =
          SplitRecordingLine(FromUtf8(bytes.substr(start, end - start)), words_);
      if (!error.empty()) Fail(error);
      if (!words_.empty()) Statement();
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    if (!header_) {
      line_ = 1;
      Fail(L"the recording does not begin with \"ravelin-recording 1\"");
    }
    return recording_;
  }

 private:
  using Handler = void (RecordingParser::*)();

  [[noreturn]] void Fail(const std::wstring& reason) const {
    throw RecordingError(file_, line_, reason);
  }

  void Statement() {
    static const std::pair<const wchar_t*, Handler> kStatements[] = {
        {L"revision", &RecordingParser::Revision}, {L"block", &RecordingParser::Block},
        {L"param", &RecordingParser::Param},       {L"dynamic", &RecordingParser::Dynamic},
        {L"member", &RecordingParser::Member},     {L"enum", &RecordingParser::Enum},
        {L"device", &RecordingParser::Device},     {L"config", &RecordingParser::Config},
        {L"view", &RecordingParser::View},         {L"value", &RecordingParser::Value},
    };
    const std::wstring& keyword = words_[0].text;
    if (!header_) {
      if (keyword != L"ravelin-recording") {
        Fail(L"the recording must begin with \"ravelin-recording 1\"");
      }
      if (Arg(1, L"version").text != L"1") {
        Fail(L"recording version " + Quoted(words_[1].text) + L" is not known; this reader reads 1");
      }
      NoMoreWords(2);
      header_ = true;
      return;
    }
    for (const auto& [name, handler] : kStatements) {
      if (keyword == name) return (this->*handler)();
    }
    Fail(L"unknown keyword " + Quoted(keyword));
  }

  // --- words ---

  const RecordingWord& Arg(size_t index, const wchar_t* what) const {
    if (index >= words_.size() || words_[index].HasKey()) Fail(std::wstring(L"missing ") + what);
    return words_[index];
  }

  void NoMoreWords(size_t count) const {
    if (words_.size() > count) Fail(L"unexpected " + Quoted(words_[count].text));
  }

  int32_t Int(std::wstring_view text, const wchar_t* what) const {
    const std::optional<int32_t> value = ParseInt32(text);
    if (!value) Fail(std::wstring(what) + L" " + Quoted(text) + L" is not an integer");
    return *value;
  }

  // A name that a moniker can reach: not empty, no "!".
  std::wstring Name(std::wstring_view text, const wchar_t* what) const {
    if (text.empty() || text.find(L'!') != std::wstring_view::npos) {
      Fail(std::wstring(what) + L" " + Quoted(text) + L" is empty or holds \"!\"");
    }
    return std::wstring(text);
  }

  // Calls apply(key, value) for each key=value word from `first` on; apply
  // returns false for a key it does not know.
  template <typename Apply>
  void Attributes(size_t first, Apply apply) const {
    for (size_t i = first; i < words_.size(); ++i) {
      const RecordingWord& word = words_[i];
      if (!word.HasKey()) Fail(L"expected key=value, found " + Quoted(word.text));
      if (!apply(word.Key(), word.Value())) Fail(L"unknown attribute " + Quoted(word.Key()));
    }
  }

  bool ItemAttribute(RecordedItem& item, std::wstring_view key, std::wstring_view value) const {
    if (key == L"label") item.label = value;
    else if (key == L"help") item.help = value;
    else if (key == L"units") item.units = value;
    else if (key == L"kind") item.kind = Int(value, L"kind");
    else if (key == L"class") item.itemClass = Int(value, L"class");
    else if (key == L"type") item.type = Int(value, L"type");
    else if (key == L"itemid") item.itemId = Int(value, L"itemid");
    else if (key == L"index") item.number = Int(value, L"index");
    else return false;
    return true;
  }

  RevisionId Identity(size_t first) const {
    RevisionId id;
    const auto hex = [&](size_t index, size_t digits, const wchar_t* what) {
      const std::wstring& text = Arg(index, what).text;
      const std::optional<uint32_t> value = ParseHex(text, digits);
      if (!value) {
        Fail(std::wstring(what) + L" " + Quoted(text) +
             Format(L" is not 1 to %d hexadecimal digits", static_cast<int>(digits)));
      }
      return *value;
    };
    id.manufacturer = hex(first, 6, L"manufacturer id");
    id.deviceType = hex(first + 1, 4, L"device type");
    id.deviceRevision = hex(first + 2, 2, L"device revision");
    const std::wstring& protocol = Arg(first + 3, L"protocol").text;
    if (protocol == L"hart") id.protocol = kProtocolHart;
    else if (protocol == L"fieldbus") id.protocol = kProtocolFieldbus;
    else Fail(L"protocol " + Quoted(protocol) + L" is neither \"hart\" nor \"fieldbus\"");
    return id;
  }

  // --- the item tree ---

  // A new child, or null when the parent already has one of that name.
  static RecordedItem* AddChild(RecordedItem& parent, std::wstring_view part, ItemRole role) {
    auto [slot, inserted] = parent.children.try_emplace(FoldCase(part));
    if (!inserted) return nullptr;
    slot->second = std::make_unique<RecordedItem>();
    RecordedItem& item = *slot->second;
    item.role = role;
    item.path = parent.path.empty() ? std::wstring(part) : parent.path + L'!' + std::wstring(part);
    if (parent.role == ItemRole::Collection) parent.listing.push_back(&item);
    return &item;
  }

  static RecordedItem& Collection(RecordedItem& parent, const wchar_t* part) {
    const auto found = parent.children.find(FoldCase(part));
    if (found != parent.children.end()) return *found->second;
    return *AddChild(parent, part, ItemRole::Collection);
  }

  RecordedItem& NewItem(RecordedItem& collection, std::wstring_view part, ItemRole role,
                        const wchar_t* what) const {
    RecordedItem* item = AddChild(collection, part, role);
    if (!item) Fail(std::wstring(what) + L" " + Quoted(part) + L" is recorded twice here");
    return *item;
  }

  void BeginParameterSet(RecordedItem* set) {
    set_ = set;
    parameter_ = leaf_ = nullptr;
  }

  // --- statements ---

  void Revision() {
    const RevisionId id = Identity(1);
    NoMoreWords(5);
    auto& slot = recording_->revisions_[id];
    if (slot) Fail(L"this revision is recorded twice");
    slot = std::make_unique<RecordedRevision>();
    slot->id = id;
    RecordedItem& root = slot->root;
    root.role = ItemRole::Device;
    Collection(root, L"Param");
    Collection(root, L"BlkId");
    revision_ = slot.get();
    device_ = nullptr;
    slot_ = -1;
    BeginParameterSet(&root);
  }

  void Block() {
    if (!revision_) Fail(L"\"block\" must follow a \"revision\"");
    const int32_t index = Int(Arg(1, L"block index").text, L"block index");
    if (index < 0) Fail(L"a block index cannot be negative");
    RecordedItem& block = NewItem(Collection(revision_->root, L"BlkId"), Format(L"%d", index),
                                  ItemRole::Block, L"block");
    block.number = index;
    Attributes(2, [&](std::wstring_view key, std::wstring_view value) {
      if (key == L"name") block.name = std::wstring(value);
      else if (key == L"label") block.label = value;
      else return false;
      return true;
    });
    Collection(block, L"Param");
    BeginParameterSet(&block);
  }

  void Param() {
    if (!set_) Fail(L"\"param\" must follow a \"revision\" or a \"block\"");
    const std::wstring name = Name(Arg(1, L"parameter name").text, L"parameter name");
    RecordedItem& item =
        NewItem(Collection(*set_, L"Param"), name, ItemRole::Parameter, L"parameter");
    item.name = name;
    Attributes(2, [&](std::wstring_view key, std::wstring_view value) {
      return ItemAttribute(item, key, value);
    });
    parameter_ = leaf_ = &item;
  }

  void Dynamic() {
    if (!set_) Fail(L"\"dynamic\" must follow a \"revision\" or a \"block\"");
    const int32_t index = Int(Arg(1, L"element number").text, L"element number");
    const std::wstring number = Format(L"%d", index);
    RecordedItem& elements =
        Collection(Collection(Collection(*set_, L"ItemArray"), L"dynamic_variables"), L"Element");
    RecordedItem& item = NewItem(elements, number, ItemRole::Parameter, L"element");
    item.name = number;
    item.kind = kKindRecord;
    item.number = index;
    Attributes(2, [&](std::wstring_view key, std::wstring_view value) {
      return ItemAttribute(item, key, value);
    });
    parameter_ = leaf_ = &item;
  }

  void Member() {
    if (!parameter_) Fail(L"\"member\" must follow a \"param\" or a \"dynamic\"");
    if (parameter_->kind != kKindRecord) {
      Fail(Format(L"\"member\" needs a record (kind 109); the parameter above has kind %d",
                  parameter_->kind));
    }
    const std::wstring name = Name(Arg(1, L"member name").text, L"member name");
    RecordedItem& item =
        NewItem(Collection(*parameter_, L"Member"), name, ItemRole::Parameter, L"member");
    parameter_->listing.push_back(&item);
    item.name = name;
    Attributes(2, [&](std::wstring_view key, std::wstring_view value) {
      return ItemAttribute(item, key, value);
    });
    leaf_ = &item;
  }

  void Enum() {
    if (!leaf_) Fail(L"\"enum\" must follow a \"param\", a \"dynamic\" or a \"member\"");
    const int32_t value = Int(Arg(1, L"enumeration value").text, L"enumeration value");
    const std::wstring& description = Arg(2, L"enumeration description").text;
    NoMoreWords(3);
    RecordedItem& entry = NewItem(Collection(*leaf_, L"Enum"), Format(L"%d", value),
                                  ItemRole::EnumEntry, L"enumeration value");
    entry.number = value;
    entry.label = description;
  }

  // Starts a device or named configuration of a recorded revision.
  RecordedDevice& BeginDevice() {
    const RevisionId id = Identity(1);
    const RecordedRevision* revision = recording_->FindRevision(id);
    if (!revision) Fail(L"the revision is not recorded above");
    recording_->devices_.push_back(std::make_unique<RecordedDevice>());
    device_ = recording_->devices_.back().get();
    device_->revision = revision;
    revision_ = nullptr;
    slot_ = -1;
    BeginParameterSet(nullptr);
    return *device_;
  }

  bool DeviceAttribute(RecordedDevice& device, std::wstring_view key, std::wstring_view value) {
    if (key == L"blockkey") device.blockKey = Int(value, L"blockkey");
    else return false;
    return true;
  }

  void Register(std::unordered_map<std::wstring, const RecordedDevice*>& index,
                const std::wstring& key, const wchar_t* what) const {
    if (!index.try_emplace(FoldCase(key), device_).second) {
      Fail(std::wstring(what) + L" " + Quoted(key) + L" is recorded twice");
    }
  }

  void Device() {
    RecordedDevice& device = BeginDevice();
    Attributes(5, [&](std::wstring_view key, std::wstring_view value) {
      if (key == L"id") device.deviceId = Name(value, L"device id");
      else if (key == L"serial") device.serial = Name(value, L"serial identifier");
      else if (key == L"tag") device.name = std::wstring(value);
      else return DeviceAttribute(device, key, value);
      return true;
    });
    if (device.deviceId.empty() && device.serial.empty()) Fail(L"a device needs id= or serial=");
    if (!device.deviceId.empty()) Register(recording_->byId_, device.deviceId, L"device id");
    if (!device.serial.empty()) Register(recording_->bySerial_, device.serial, L"serial identifier");
  }

  void Config() {
    RecordedDevice& config = BeginDevice();
    Attributes(5, [&](std::wstring_view key, std::wstring_view value) {
      if (key == L"name") config.configName = Name(value, L"configuration name");
      else return DeviceAttribute(config, key, value);
      return true;
    });
    if (config.configName.empty()) Fail(L"a configuration needs name=");
    config.name = config.configName;
    Register(recording_->byConfig_, config.configName, L"configuration name");
  }

  void View() {
    if (!device_) Fail(L"\"view\" must follow a \"device\" or a \"config\"");
    const int32_t view = Int(Arg(1, L"view").text, L"view");
    NoMoreWords(2);
    slot_ = ViewSlot(view);
    if (slot_ < 0) Fail(Format(L"view %d is neither 104 nor 111", view));
  }

  CVelkVariant TypedValue(const RecordedItem& item, std::wstring_view text) const {
    switch (item.type) {
      case 4:
      case 5: {
        const std::optional<double> value = ParseDouble(text);
        if (!value) Fail(Quoted(text) + L" is not a number");
        if (item.type == 5) return CVelkVariant(*value);
        if (std::isfinite(*value) && std::fabs(*value) > std::numeric_limits<float>::max()) {
          Fail(Quoted(text) + L" is too large for a float");
        }
        return CVelkVariant(static_cast<float>(*value));
      }
      case 9:
      case 10:
      case 11:
        return CVelkVariant(std::wstring(text));
      default:
        return CVelkVariant(Int(text, L"value"));
    }
  }

  void Value() {
    if (slot_ < 0) Fail(L"\"value\" must follow a \"view\"");
    const std::wstring& path = Arg(1, L"parameter path").text;
    const std::wstring& text = Arg(2, L"value").text;
    NoMoreWords(3);
    const RecordedItem* item = device_->revision->root.Descend(path);
    if (!item || item->role != ItemRole::Parameter) {
      Fail(Quoted(path) + L" is not a parameter of the device's revision");
    }
    if (item->kind != kKindValue) Fail(Quoted(path) + L" is a record; only kind 107 has a value");
    if (!device_->values[slot_].try_emplace(item, TypedValue(*item, text)).second) {
      Fail(L"a value for " + Quoted(path) + L" is already recorded in this view");
    }
  }

  const std::wstring& file_;
  std::shared_ptr<Recording> recording_ = std::make_shared<Recording>();
  std::vector<RecordingWord> words_;
  int line_ = 1;
  bool header_ = false;
  RecordedRevision* revision_ = nullptr;
  RecordedItem* set_ = nullptr;        // the device item or block that "param" adds to
  RecordedItem* parameter_ = nullptr;  // the record that "member" adds to
  RecordedItem* leaf_ = nullptr;       // the item that "enum" adds to
  RecordedDevice* device_ = nullptr;
  int slot_ = -1;                      // the view that "value" records into
};

std::shared_ptr<const Recording> ParseRecording(std::string_view bytes, const std::wstring& file) {
  return RecordingParser(file).Parse(bytes);
}

std::shared_ptr<const Recording> LoadRecordingFile(const std::wstring& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  if (!in) throw RecordingError(path, 0, L"the file cannot be read");
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  return ParseRecording(bytes, path);
}

}  // namespace ravelin
