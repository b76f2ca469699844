// The wizard as the terminal draws it (100 by 40 cells): each page of the walk and the result
// message over the last one, in English and on a simplified Chinese machine, against the screens
// kept in screens/ (K7X_UPDATE_SCREENS=1 writes them anew from the drawing).
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "winemu/ui/screen.h"
#include "wizard_fixture.h"

namespace {

using winemu::ui::ScriptDriver;

class WizardScreensTest : public k7x::test::ProgramRunTest {
 protected:
  static std::string Drawn() {
    winemu::ui::Screen screen(100, 40);
    winemu::ui::DrawWindows(screen);
    std::string text = screen.Text();
    return text.erase(text.find_last_not_of('\n') + 1) + "\n";
  }
  static void Compare(const std::string& name) {
    std::string path = std::string(K7X_SOURCE_DIR) + "/tests/system/screens/" + name + ".txt";
    std::string drawn = Drawn();
    if (const char* update = std::getenv("K7X_UPDATE_SCREENS"); update && std::string(update) == "1")
      std::ofstream(path, std::ios::binary) << drawn;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no screen " << path;
    EXPECT_EQ(drawn, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())) << name;
  }
  static void Screen(ScriptDriver& script, const std::string& name) { script.Then([name] { Compare(name); }); }
};

TEST_F(WizardScreensTest, EachPageAndTheResultMessageAreDrawnAsAPersonSeesThem) {
  ScriptDriver script;
  Screen(script, "1-welcome");
  script.Click(IDC_WIZ_NEXT);
  Screen(script, "2-system");
  script.Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0);
  Screen(script, "3-setting");
  script.Click(IDC_WIZ_NEXT);
  Screen(script, "4-progress");
  script.Wait(500);
  Screen(script, "5-result");
  script.Answer();
  RunProgram();
}

TEST_F(WizardScreensTest, TextsOfAChineseMachineAreDecodedFromItsCodePage) {
  winemu::CreateOptions o;
  o.langId = 0x0804;
  MakeMachine(o);
  ScriptDriver script;
  Screen(script, "zh-1-welcome");
  script.Click(IDC_WIZ_NEXT);
  Screen(script, "zh-2-system");
  script.Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(500);
  Screen(script, "zh-5-result");
  script.Answer();
  RunProgram();
}

}  // namespace
