// The wizard pages that ask which DD parameter carries a common quantity,
// or which value it defaults to, and the finished page that writes and
// tests the map file. Each page edits the wizard's model in place and checks
// its fields before Next; its view only moves values in and out of controls.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "wizard/PageViews.h"
#include "wizard/WizardPage.h"

namespace ravelin {

class CMapFileInformation;

// The pages that move texts, check marks and combo box codes between their
// controls and the model.
class CParameterPage : public CWizardPage {
 public:
  using CWizardPage::CWizardPage;

  // The view must outlive every call below.
  void Attach(ParameterPageView* view) { m_view = view; }
  void AttachWindow(WizardPageView* window) override { Attach(window); }

  void OnCommand(int controlId) override;

  // Controls to model (read) and model to controls (show).
  void ReadFields() override;
  void ShowFields();
  void ReadControls() override { ReadFields(); }

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

  ParameterPageView* m_view = nullptr;
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

class CTransducerBlockPage : public CParameterPage {
 public:
  explicit CTransducerBlockPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  bool LeaveNext() override;
  void OnCommand(int controlId) override;
  void ReadControls() override;

  std::wstring m_strBlockIndex;

 protected:
  std::vector<TextBinding> Texts() override;
};

class CInputParameterPage : public CParameterPage {
 public:
  explicit CInputParameterPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  bool LeaveNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CInputBlockTypePage : public CParameterPage {
 public:
  explicit CInputBlockTypePage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  void LeaveBack() override;
  bool LeaveNext() override;
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

class CNumWiresParameterPage : public CParameterPage {
 public:
  explicit CNumWiresParameterPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  void LeaveBack() override;
  bool LeaveNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CTotalizerParamsPage : public CParameterPage {
 public:
  explicit CTotalizerParamsPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void LeaveBack() override;
  bool LeaveNext() override;
  void OnCommand(int controlId) override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
  std::optional<std::pair<int, bool*>> BoundBox() override;

 private:
  void EnableFields();
};

class CInputOutputRelationPage : public CParameterPage {
 public:
  explicit CInputOutputRelationPage(CMapFileInformation* model);
  void OnInitDialog() override;
  void OnSetActive() override;
  void LeaveBack() override;
  bool LeaveNext() override;
  void ReadControls() override;

 protected:
  std::vector<TextBinding> Texts() override;
  std::span<const BrowseButton> BrowseButtons() const override;
};

class CWizardFinishedPage : public CParameterPage {
 public:
  explicit CWizardFinishedPage(CMapFileInformation* model);
  void OnSetActive() override;
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
