// The wizard pages that ask which DD parameter carries a common quantity,
// or which value it defaults to, and the finished page that writes and
// tests the map file. Each page edits the wizard's model in place and says
// where Back and Next go; its view only moves values in and out of controls.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "wizard/WizardJumps.h"

namespace ravelin {

class CMapFileInformation;
class CSelectBlock;
class CSelectParameter;
class CodeListControl;

// A page's window as the logic needs it.
class ParameterPageView {
 public:
  virtual ~ParameterPageView() = default;
  virtual std::wstring GetText(int controlId) = 0;
  virtual void SetText(int controlId, const std::wstring& text) = 0;
  virtual bool IsChecked(int controlId) = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;
  virtual void Enable(int controlId, bool enabled) = 0;
  virtual void Show(int controlId, bool shown) = 0;
  // The combo box `controlId`, for the pick-list fillers.
  virtual CodeListControl* CodeList(int controlId) = 0;
  // The code of the combo box's selected item; nothing when none is.
  virtual std::optional<int32_t> SelectedCode(int controlId) = 0;
  // Selects the first item carrying `code`, or none when no item does.
  virtual void SelectCode(int controlId, int32_t code) = 0;
  // Flags of WizardJumps.h, posted to the sheet.
  virtual void SetWizardButtons(unsigned flags) = 0;
  // A message box with an OK button.
  virtual void Tell(const std::wstring& text) = 0;
  // Run the browsing dialogs modally; kIdOk or kIdCancel.
  virtual int RunSelectParameter(CSelectParameter& dialog) = 0;
  virtual int RunSelectBlock(CSelectBlock& dialog) = 0;
};

class CWizardPage {
 public:
  CWizardPage(int dialogId, CMapFileInformation* model) : m_pMapInfo(model), m_dialogId(dialogId) {}
  virtual ~CWizardPage() = default;
  CWizardPage(const CWizardPage&) = delete;
  CWizardPage& operator=(const CWizardPage&) = delete;

  // The view must outlive every call below.
  void Attach(ParameterPageView* view) { m_view = view; }
  int DialogId() const { return m_dialogId; }

  virtual void OnInitDialog() {}
  virtual void OnSetActive() {}
  virtual PageMove OnWizardBack() { return PageMove::Neighbour(); }
  virtual PageMove OnWizardNext() { return PageMove::Neighbour(); }
  // A button of the page was clicked.
  virtual void OnCommand(int controlId);

  // Controls to model (read) and model to controls (show).
  void ReadFields();
  void ShowFields();
  // Every control of the page to the model, as Next takes them. Cancel and
  // Finish read them too, so that a change Next has not yet taken counts.
  virtual void ReadControls() { ReadFields(); }

  // A Browse button: the type filter of the parameter browser, the field
  // it fills and the "Default To:" box and flag it cancels (0 and null
  // where there is none).
  struct BrowseButton {
    int button;
    int32_t filter;
    std::wstring CMapFileInformation::*field;
    int box;
    bool CMapFileInformation::*flag;
  };

 protected:
  struct TextBinding {
    int controlId;
    std::wstring* text;
  };
  virtual std::vector<TextBinding> Texts() { return {}; }
  virtual std::span<const BrowseButton> BrowseButtons() const { return {}; }
  // The box bound to a flag (the totalizer page's only).
  virtual std::optional<std::pair<int, bool*>> BoundBox() { return std::nullopt; }

  void Browse(const BrowseButton& button);
  // On the first page shown: tells, once, which values of the map file
  // were too long to be read whole and are shown cut.
  void WarnOfCutValues();
  // Selects `code` in combo box `combo`. A code the list does not hold (one
  // read from a map file) gets an item of its own, named by its number, so
  // that it is shown and kept; kNoCode stays unselected.
  void ShowCode(int combo, int32_t code);
  // Whether an item of `combo` is chosen; if none is, tells `message`.
  bool CodeChosen(int combo, const wchar_t* message);

  CMapFileInformation* m_pMapInfo;
  ParameterPageView* m_view = nullptr;

 private:
  int m_dialogId;
};

// The name a browsed parameter is stored under: items of record arrays
// (such as a HART device's dynamic variables) as they are, anything else
// as "Param!" and the name.
std::wstring StoredParameterName(const std::wstring& browsed);

// The code of a default that has none.
inline constexpr int32_t kNoCode = -1;

extern const wchar_t kNoBlockIndexMessage[];
extern const wchar_t kNegativeBlockIndexMessage[];
extern const wchar_t kNoUnitsParamMessage[];
extern const wchar_t kNoUnitsDefaultMessage[];
extern const wchar_t kNoPressMeasDefaultMessage[];
extern const wchar_t kNoNumWiresParamMessage[];
extern const wchar_t kNoNumWiresDefaultMessage[];

class CTransducerBlockPage : public CWizardPage {
 public:
  explicit CTransducerBlockPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  PageMove OnWizardNext() override;
  void OnCommand(int controlId) override;
  void ReadControls() override;

  std::wstring m_strBlockIndex;

 protected:
  std::vector<TextBinding> Texts() override;
};

class CInputParameterPage : public CWizardPage {
 public:
  explicit CInputParameterPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  PageMove OnWizardNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CInputBlockTypePage : public CWizardPage {
 public:
  explicit CInputBlockTypePage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  PageMove OnWizardBack() override;
  PageMove OnWizardNext() override;
  void OnCommand(int controlId) override;
  void ReadControls() override;

  std::wstring m_strCategory;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
  // The major device category of the block `tag` as of now; virtual so
  // that tests need no database.
  virtual std::wstring ReadCategory(const std::wstring& tag);

 private:
  // The radios and enabled states of block type `type` (1, 5 or 99).
  void ShowBlockType(int32_t type);
};

class CNumWiresParameterPage : public CWizardPage {
 public:
  explicit CNumWiresParameterPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  PageMove OnWizardBack() override;
  PageMove OnWizardNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CTotalizerParamsPage : public CWizardPage {
 public:
  explicit CTotalizerParamsPage(CMapFileInformation* model);
  void OnInitDialog() override;
  PageMove OnWizardBack() override;
  PageMove OnWizardNext() override;
  void OnCommand(int controlId) override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
  std::optional<std::pair<int, bool*>> BoundBox() override;

 private:
  void EnableFields();
};

class CInputOutputRelationPage : public CWizardPage {
 public:
  explicit CInputOutputRelationPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  PageMove OnWizardBack() override;
  PageMove OnWizardNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CWizardFinishedPage : public CWizardPage {
 public:
  explicit CWizardFinishedPage(CMapFileInformation* model);
  void OnSetActive() override;
  PageMove OnWizardBack() override;
  void OnCommand(int controlId) override;
  void ReadControls() override;

  // False, with a message naming the file and the reason, when the file
  // could not be written.
  bool OnWrite();
  void OnTest();
  // The model differs from what was last written (or read) in what it
  // would write.
  bool HasUnwrittenChanges() const;

 protected:
  // Runs the map file test of the model's block; virtual for tests.
  virtual void TestBlock();

 private:
  std::string m_written;
};

}  // namespace ravelin
