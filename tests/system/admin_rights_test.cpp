// The administrator-rights check on each kind of machine, and the text a user without them sees.
#include <windows.h>

#include "support/machine_fixture.h"
#include "sys/AdminRights.h"
#include "winemu/ui/answer_boxes.h"

namespace {

class AdminRightsTest : public k7x::test::MachineTest {};

TEST_F(AdminRightsTest, OnlyAnAdministratorHasTheRightsOnEverySystem) {
  for (auto [major, minor] : {std::pair{5, 0}, {5, 1}, {5, 2}, {6, 0}, {6, 1}}) {
    MakeMachine(major, minor, true);
    EXPECT_TRUE(HasAdministratorRights()) << major << "." << minor;
    MakeMachine(major, minor, false);
    EXPECT_FALSE(HasAdministratorRights()) << major << "." << minor;
  }
}

TEST_F(AdminRightsTest, AUserIsToldWhyInTheLanguageAsked) {
  MakeMachine(5, 1, false);
  winemu::ui::MessageBoxAnswers answers;
  EXPECT_FALSE(RequireAdministratorRights(TextLanguage::English, "setup"));
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_NE(boxes[0].find("Setup needs administrator rights"), std::string::npos);
  EXPECT_NE(boxes[0].find("\"setup\""), std::string::npos);
  // 管理员 (code page 936) and 系統管理員 (code page 950).
  EXPECT_NE(std::string(AdministratorRightsText(TextLanguage::SimplifiedChinese)).find("\xb9\xdc\xc0\xed\xd4\xb1"),
            std::string::npos);
  EXPECT_NE(std::string(AdministratorRightsText(TextLanguage::TraditionalChinese)).find("\xa8t\xb2\xce\xba\xde\xb2z\xad\xfb"),
            std::string::npos);
  MakeMachine(6, 1, true);
  EXPECT_TRUE(RequireAdministratorRights(TextLanguage::English, "setup"));
  EXPECT_TRUE(TraceLines("msgbox").empty());
}

}  // namespace
