#include "outside/comm/RecordingParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "base/Text.h"
#include "outside/comm/RecordingWords.h"
#include "platform/Platform.h"

namespace ravelin {

using namespace std::string_view_literals;

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
  // Checks a whole recording and indexes it into `recording`.
  RecordingParser(const std::wstring& file, std::shared_ptr<Recording> recording)
      : file_(file), recording_(std::move(recording)), source_(recording_.get()) {}
  // Parses one span of an indexed recording.
  RecordingParser(const Recording& source, int firstLine)
      : file_(source.file_), source_(&source), line_(firstLine), header_(true) {}

  // next(text, begin) gives each line and where it begins; false for the
  // last one. `end` is where the text ends.
  template <typename NextLine>
  void Run(NextLine next) {
    for (;; ++line_) {
      std::string_view text;
      const bool more = next(text, lineBegin_);
      const std::wstring error = words_.Split(Widen(text));
      if (!error.empty()) Fail(error);
      if (!words_.empty()) Statement();
      if (!more) break;
    }
    if (!header_) {
      line_ = 1;
      Fail(L"the recording does not begin with \"ravelin-recording 1\"");
    }
  }

  void Index(std::string_view bytes) {
    size_t start = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    Run([&](std::string_view& text, uint64_t& begin) {
      const size_t end = bytes.find('\n', start);
      text = bytes.substr(start, end - start);
      begin = start;
      start = end + 1;
      return end != std::string_view::npos;
    });
    Close(bytes.size());
  }

  void Index(std::istream& in) {
    std::string line;
    uint64_t offset = 0;
    Run([&](std::string_view& text, uint64_t& begin) {
      std::getline(in, line);
      begin = offset;
      offset += line.size() + 1;
      const bool more = !in.eof();
      text = line;
      if (begin == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
      return more;
    });
    Close(offset);
  }

  static std::shared_ptr<const Recording> FromBytes(std::string_view bytes,
                                                    const std::wstring& file) {
    auto recording = std::make_shared<Recording>();
    recording->file_ = file;
    recording->bytes_ = bytes;
    RecordingParser(file, recording).Index(bytes);
    return recording;
  }

  // The file is read once, line by line in large pieces, to check and
  // index it; later the span of what a lookup reaches is read where it stands.
  static std::shared_ptr<const Recording> FromFile(const std::wstring& path) {
    std::vector<char> buffer(size_t(1) << 16);
    std::ifstream in;
    in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    in.open(FsPath(path), std::ios::binary);
    auto recording = std::make_shared<Recording>();
    recording->file_ = path;
    recording->in_.Open(path);
    if (!in || !recording->in_.IsOpen()) {
      throw RecordingError(path, 0, L"the file cannot be read");
    }
    RecordingParser(path, recording).Index(in);
    return recording;
  }

  std::shared_ptr<const RecordedRevision> ParseRevision(std::string_view text) {
    ParseSpan(text);
    return current_;
  }

  std::shared_ptr<const RecordedDevice> ParseDevice(std::string_view text) {
    ParseSpan(text);
    return device_;
  }

 private:
  using Handler = void (RecordingParser::*)();

  [[noreturn]] void Fail(const std::wstring& reason) const {
    throw RecordingError(file_, line_, reason);
  }

  bool Indexing() const { return recording_ != nullptr; }

  // The line as wide text, in a buffer reused line after line; ASCII (most
  // of a recording) is widened directly.
  std::wstring_view Widen(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
      // Not assign(begin, end): from chars it builds a temporary string.
      lineText_.resize(text.size());
      std::copy(text.begin(), text.end(), lineText_.begin());
    } else {
      lineText_ = FromUtf8(text);
    }
    return lineText_;
  }

  uint32_t SpanSize(uint64_t size) const {
    if (size > 0xFFFFFFFF) Fail(L"one revision or device is longer than 4 GB");
    return static_cast<uint32_t>(size);
  }

  void ParseSpan(std::string_view text) {
    Run([&](std::string_view& line, uint64_t& begin) {
      const size_t end = text.find('\n');
      line = text.substr(0, end);
      begin = 0;
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      return end != std::string_view::npos;
    });
  }

  // Ends the span of the revision or device above at `end`; while indexing,
  // a revision stays parsed for the devices that follow it, a device is let go.
  void Close(uint64_t end) {
    if (!Indexing()) return;
    if (span_) span_->size = SpanSize(end - span_->begin);
    if (current_) recording_->parsedRevisions_.Add(current_->id, current_);
    span_ = nullptr;
    current_.reset();
    device_.reset();
  }

  void Statement() {
    static constexpr std::pair<std::wstring_view, Handler> kStatements[] = {
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
      if (keyword != name) continue;
      if (handler == &RecordingParser::Revision || handler == &RecordingParser::Device ||
          handler == &RecordingParser::Config) {
        Close(lineBegin_);
      }
      return (this->*handler)();
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
  std::wstring_view Name(std::wstring_view text, const wchar_t* what) const {
    if (text.empty() || text.find(L'!') != std::wstring_view::npos) {
      Fail(std::wstring(what) + L" " + Quoted(text) + L" is empty or holds \"!\"");
    }
    return text;
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
    if (key == L"label"sv) { if (!light_) item.label = value; }
    else if (key == L"help"sv) { if (!light_) item.help = value; }
    else if (key == L"units"sv) { if (!light_) item.units = value; }
    else if (key == L"kind"sv) item.kind = Int(value, L"kind");
    else if (key == L"class"sv) item.itemClass = Int(value, L"class");
    else if (key == L"type"sv) item.type = Int(value, L"type");
    else if (key == L"itemid"sv) item.itemId = Int(value, L"itemid");
    else if (key == L"index"sv) item.number = Int(value, L"index");
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
    if (protocol == L"hart"sv) id.protocol = kProtocolHart;
    else if (protocol == L"fieldbus"sv) id.protocol = kProtocolFieldbus;
    else Fail(L"protocol " + Quoted(protocol) + L" is neither \"hart\" nor \"fieldbus\"");
    return id;
  }

  // --- the item tree ---

  // A new child, or null when the parent already has one of that name.
  static RecordedItem* AddChild(RecordedItem& parent, std::wstring_view part, ItemRole role) {
    if (parent.children.count(part)) return nullptr;
    std::pmr::polymorphic_allocator<RecordedItem> arena(parent.Arena());
    RecordedItem& item = *arena.new_object<RecordedItem>(parent.Arena());
    item.role = role;
    item.parent = &parent;
    item.part = part;
    parent.children.emplace(item.part, &item);
    if (parent.role == ItemRole::Collection) parent.listing.push_back(&item);
    return &item;
  }

  static RecordedItem& Collection(RecordedItem& parent, const wchar_t* part) {
    if (const RecordedItem* found = parent.Child(part)) return const_cast<RecordedItem&>(*found);
    return *AddChild(parent, part, ItemRole::Collection);
  }

  RecordedItem& NewItem(RecordedItem& collection, std::wstring_view part, ItemRole role,
                        const wchar_t* what) const {
    RecordedItem* item = AddChild(collection, part, role);
    if (!item) Fail(std::wstring(what) + L" " + Quoted(part) + L" is recorded twice here");
    return *item;
  }

  // The revision a device is checked against while indexing. One that is
  // no longer parsed (a device far below it) is parsed light, without
  // enumeration entries and texts, which a device's values never reach; the
  // latest few serve the devices that follow and never a lookup.
  std::shared_ptr<const RecordedRevision> RevisionToCheck(const RevisionId& id) {
    if (auto parsed = recording_->parsedRevisions_.Find(id)) return parsed;
    if (auto parsed = lightRevisions_.Find(id)) return parsed;
    const auto found = recording_->revisions_.find(id);
    if (found == recording_->revisions_.end() || found->second.size == 0) return nullptr;
    RecordingParser light(*recording_, found->second.line);
    light.light_ = true;
    std::shared_ptr<const RecordedRevision> revision;
    try {
      revision = light.ParseRevision(
          recording_->ReadSpan(found->second, recording_->revisionWindow_));
    } catch (const RecordingError&) {
      return nullptr;  // the file changed while it was read
    }
    if (!revision || !(revision->id == id)) return nullptr;
    lightRevisions_.Add(id, revision);
    return revision;
  }

  void BeginParameterSet(RecordedItem* set) {
    set_ = set;
    parameter_ = leaf_ = nullptr;
  }

  // --- statements ---

  void Revision() {
    const RevisionId id = Identity(1);
    NoMoreWords(5);
    if (current_ || device_) Fail(L"a revision's text holds a second revision or a device");
    if (Indexing()) {
      auto [slot, inserted] = recording_->revisions_.try_emplace(id);
      if (!inserted) Fail(L"this revision is recorded twice");
      slot->second = {lineBegin_, 0, line_};
      span_ = &slot->second;
    }
    current_ = std::make_shared<RecordedRevision>();
    current_->id = id;
    RecordedItem& root = current_->root;
    root.role = ItemRole::Device;
    Collection(root, L"Param");
    Collection(root, L"BlkId");
    revision_ = current_.get();
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
      if (key == L"name"sv) block.name.emplace(value, block.Arena());
      else if (key == L"label"sv) block.label = value;
      else return false;
      return true;
    });
    Collection(block, L"Param");
    BeginParameterSet(&block);
  }

  void Param() {
    if (!set_) Fail(L"\"param\" must follow a \"revision\" or a \"block\"");
    const std::wstring_view name = Name(Arg(1, L"parameter name").text, L"parameter name");
    RecordedItem& item =
        NewItem(Collection(*set_, L"Param"), name, ItemRole::Parameter, L"parameter");
    if (!light_) item.name.emplace(item.part, item.Arena());
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
    item.name.emplace(number, item.Arena());
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
    const std::wstring_view name = Name(Arg(1, L"member name").text, L"member name");
    RecordedItem& item =
        NewItem(Collection(*parameter_, L"Member"), name, ItemRole::Parameter, L"member");
    parameter_->listing.push_back(&item);
    if (!light_) item.name.emplace(item.part, item.Arena());
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
    if (light_) return;
    RecordedItem& entry = NewItem(Collection(*leaf_, L"Enum"), Format(L"%d", value),
                                  ItemRole::EnumEntry, L"enumeration value");
    entry.number = value;
    entry.label = description;
  }

  // Starts a device or named configuration of a recorded revision.
  RecordedDevice& BeginDevice() {
    const RevisionId id = Identity(1);
    if (current_ || device_) Fail(L"a device's text holds a second device or a revision");
    std::shared_ptr<const RecordedRevision> revision =
        Indexing() ? RevisionToCheck(id) : source_->FindRevision(id);
    if (!revision) Fail(L"the revision is not recorded above");
    if (Indexing()) {
      recording_->devices_.push_back({lineBegin_, 0, line_});
      span_ = &recording_->devices_.back();
    }
    device_ = std::make_shared<RecordedDevice>();
    device_->revision = revision.get();
    device_->revisionOwner = std::move(revision);
    revision_ = nullptr;
    slot_ = -1;
    BeginParameterSet(nullptr);
    return *device_;
  }

  bool DeviceAttribute(RecordedDevice& device, std::wstring_view key, std::wstring_view value) {
    if (key == L"blockkey"sv) device.blockKey = Int(value, L"blockkey");
    else return false;
    return true;
  }

  void Register(Recording::KeyIndex& index, Recording::DeviceKey member,
                const std::wstring& key, const wchar_t* what) const {
    const auto number = static_cast<uint32_t>(recording_->devices_.size() - 1);
    if (recording_->Device(index, member, key)) {
      Fail(std::wstring(what) + L" " + Quoted(key) + L" is recorded twice");
    }
    index.emplace(Recording::KeyHash(key), number);
  }


  void Device() {
    RecordedDevice& device = BeginDevice();
    Attributes(5, [&](std::wstring_view key, std::wstring_view value) {
      if (key == L"id"sv) device.deviceId = Name(value, L"device id");
      else if (key == L"serial"sv) device.serial = Name(value, L"serial identifier");
      else if (key == L"tag"sv) device.name = std::wstring(value);
      else return DeviceAttribute(device, key, value);
      return true;
    });
    if (device.deviceId.empty() && device.serial.empty()) Fail(L"a device needs id= or serial=");
    if (!Indexing()) return;
    if (!device.deviceId.empty()) Register(recording_->byId_, &RecordedDevice::deviceId, device.deviceId, L"device id");
    if (!device.serial.empty()) Register(recording_->bySerial_, &RecordedDevice::serial, device.serial, L"serial identifier");
  }

  void Config() {
    RecordedDevice& config = BeginDevice();
    Attributes(5, [&](std::wstring_view key, std::wstring_view value) {
      if (key == L"name"sv) config.configName = Name(value, L"configuration name");
      else return DeviceAttribute(config, key, value);
      return true;
    });
    if (config.configName.empty()) Fail(L"a configuration needs name=");
    config.name = config.configName;
    if (Indexing()) Register(recording_->byConfig_, &RecordedDevice::configName, config.configName, L"configuration name");
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
  std::shared_ptr<Recording> recording_;  // the recording being indexed
  const Recording* source_;               // where revisions are looked up
  RecordingWords words_;
  std::wstring lineText_;
  int line_ = 1;
  uint64_t lineBegin_ = 0;
  bool header_ = false;
  Recording::Span* span_ = nullptr;              // of the revision or device being read
  std::shared_ptr<RecordedRevision> current_;    // the revision being read
  RecordedRevision* revision_ = nullptr;
  RecordedItem* set_ = nullptr;        // the device item or block that "param" adds to
  RecordedItem* parameter_ = nullptr;  // the record that "member" adds to
  RecordedItem* leaf_ = nullptr;       // the item that "enum" adds to
  std::shared_ptr<RecordedDevice> device_;  // the device or configuration being read
  int slot_ = -1;                      // the view that "value" records into
  bool light_ = false;                 // leave out what only lookups read
  Recording::Parsed<RevisionId, RecordedRevision> lightRevisions_;  // the latest parsed light
};

std::shared_ptr<const RecordedRevision> Recording::FindRevision(const RevisionId& id) const {
  if (auto parsed = parsedRevisions_.Find(id)) return parsed;
  const auto found = revisions_.find(id);
  if (found == revisions_.end() || found->second.size == 0) return nullptr;
  std::shared_ptr<const RecordedRevision> revision;
  try {
    revision = RecordingParser(*this, found->second.line)
                   .ParseRevision(ReadSpan(found->second, revisionWindow_));
  } catch (const RecordingError&) {
    return nullptr;  // the file changed in place since it was indexed
  }
  if (!revision || !(revision->id == id)) return nullptr;
  parsedRevisions_.Add(id, revision);
  return revision;
}

std::shared_ptr<const RecordedDevice> Recording::DeviceAt(size_t index) const {
  const auto number = static_cast<uint32_t>(index);
  if (index >= devices_.size()) return nullptr;
  if (auto parsed = parsedDevices_.Find(number)) return parsed;
  std::shared_ptr<const RecordedDevice> device;
  try {
    device = RecordingParser(*this, devices_[index].line)
                 .ParseDevice(ReadSpan(devices_[index], deviceWindow_));
  } catch (const RecordingError&) {
    return nullptr;
  }
  if (device) parsedDevices_.Add(number, device);
  return device;
}

std::shared_ptr<const Recording> ParseRecording(std::string_view bytes, const std::wstring& file) {
  return RecordingParser::FromBytes(bytes, file);
}

std::shared_ptr<const Recording> LoadRecordingFile(const std::wstring& path) {
  return RecordingParser::FromFile(path);
}

}  // namespace ravelin
