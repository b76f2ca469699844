// What a run ended with, read from its trace log.
#include <gtest/gtest.h>

#include "winemu/ui/outcome.h"

namespace {

using winemu::ui::RunOutcome;

TEST(RunOutcome, TheLastMessageBoxOrTheMainDialogCancelledOrASilentEnd) {
  const std::string start = "0 process.start C:\\Setup\\setup.exe\n";
  const std::string exit = "9 process.exit 0\n";
  // Texts are quoted in one line, their line breaks, quotes and backslashes escaped.
  const std::string box =
      "5 msgbox owner=0x00010002 style=0x00000030 caption=\"setup\" text=\"Done\\r\\nfor \\\"now\\\" in C:\\\\new\"\n";
  EXPECT_EQ(RunOutcome(start + box + exit), "ended with the message \"Done for \"now\" in C:\\new\"");
  EXPECT_EQ(RunOutcome(start + box + "7 dialog.end owner=none template=100 result=2\n" + exit), "was cancelled");
  // A dialog the program opened and closed with Cancel is not the run's end; nor is an OK.
  EXPECT_EQ(RunOutcome(start + box + "7 dialog.end owner=0x00010002 template=101 result=2\n" + exit),
            "ended with the message \"Done for \"now\" in C:\\new\"");
  EXPECT_EQ(RunOutcome(start + "7 dialog.end owner=none template=100 result=1\n" + exit), "ended silently");
  EXPECT_EQ(RunOutcome(start + "7 dialog.end owner=none template=100 result=12\n" + exit), "ended silently");
  EXPECT_EQ(RunOutcome(start + box), std::nullopt);  // the run failed before the program ended
  EXPECT_EQ(RunOutcome(""), std::nullopt);
}

}  // namespace
