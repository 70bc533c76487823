// The controls of a fake dialog view: each kind of state in a map by
// control id, for tests and benchmarks to set and read.
#pragma once

#include <map>
#include <string>

namespace ravelin::testing {

template <class View>
class FakeControls : public View {
 public:
  std::wstring GetText(int id) override { return texts[id]; }
  void SetText(int id, const std::wstring& text) override { texts[id] = text; }
  bool IsChecked(int id) override { return checked[id]; }
  void SetChecked(int id, bool on) override { checked[id] = on; }
  void CheckRadio(int first, int last, int id) override {
    for (int i = first; i <= last; ++i) checked[i] = i == id;
  }
  void Enable(int id, bool on) override { enabled[id] = on; }
  void Show(int id, bool shown) override { hidden[id] = !shown; }

  std::map<int, std::wstring> texts;
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  std::map<int, bool> hidden;
};

}  // namespace ravelin::testing
