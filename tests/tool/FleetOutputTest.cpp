// The fleet commands' lines: columns that a field cannot break, the JSON keys scripts rely on, and
// the per-interface table read as `set` would apply it.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <sstream>

#include "core/ModelTable.h"
#include "core/SetupDocument.h"
#include "support/TempDir.h"
#include "tool/FleetOutput.h"
#include "tool/VarsTable.h"

namespace mx::tool {
namespace {

TEST(FleetOutputTest, FieldsCannotBreakTheColumns) {
  EXPECT_EQ(EscapeCell("in use by process 7 (a\tb\nc\\d\x01)"),
            "in use by process 7 (a\\tb\\nc\\\\d\\x01)");
  std::ostringstream out;
  FleetPrinter printer(out, false);
  FleetLine line;
  line.port = "COM1";
  line.outcome = "failed";
  line.message = "x\ty";
  printer.Print(line);
  EXPECT_EQ(out.str(), "COM1\t\tfailed\t\t\tx\\ty\n");
}

TEST(FleetOutputTest, JsonLinesAndSummaryKeepTheAgreedKeys) {
  std::ostringstream out;
  FleetPrinter printer(out, true);
  FleetLine line;
  line.port = "COM2";
  line.outcome = "changed";
  line.hasChanges = true;
  line.changes.push_back({"ipAddress", "192.168.0.10", "10.0.0.2"});
  printer.Print(line);
  line.outcome = "cancelled";  // a script sees "failed"; the exit code says the rest
  line.hasChanges = false;
  printer.Print(line);
  printer.PrintSummary(3);
  std::istringstream lines(out.str());
  std::string first, second, summary;
  std::getline(lines, first);
  std::getline(lines, second);
  std::getline(lines, summary);
  const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(first)).object();
  EXPECT_EQ(object.keys(),
            (QStringList{"changes", "device", "message", "model", "outcome", "port", "serial"}));
  EXPECT_EQ(object["changes"][0]["to"].toString(), "10.0.0.2");
  EXPECT_NE(second.find("\"outcome\":\"failed\""), std::string::npos) << second;
  EXPECT_EQ(summary, R"({"summary":{"changed":1,"failed":1,"total":3}})");
}

std::string WriteTable(const test::TempDir& dir, const std::string& text) {
  const std::string path = dir.File("vars.csv");
  std::ofstream(path) << text;
  return path;
}

TEST(FleetOutputTest, VarsTableCellsArePlainValuesAndErrorsNameRowAndColumn) {
  test::TempDir dir;
  EditorHooks editor;
  SetupDocument document(editor);
  editor.SelectLoadedModel(5);
  document.ResetToDefaults();
  VarsTable table;
  ASSERT_TRUE(LoadVarsTable(WriteTable(dir,
                                       "port,description,ipAddress\r\n"
                                       "com3,\"a, \"\"b\"\"\",10.0.0.3\r\n"
                                       "COM4,,\r\n"),
                            table)
                  .ok);
  const VarsRow* row = table.Find("", "COM3", "");
  ASSERT_NE(row, nullptr);
  EXPECT_TRUE(table.GivesAddress(*row));
  EXPECT_FALSE(table.GivesAddress(*table.Find("", "COM4", "")));
  const EditedImage edited = ApplyVarsRow(table, *row, document.Image(), document.Extension());
  ASSERT_TRUE(edited.ok) << edited.error;
  EXPECT_EQ(edited.image.Text(fld::description), "a, \"b\"");
  EXPECT_EQ(edited.image.Get(fld::ipAddress, 3), 3);

  const struct {
    std::string text;
    std::string error;
  } bad[] = {
      {"name,basePort\nx,1\n", "the first column must be"},
      {"port,basePort\nCOM1,1\nCOM2,70000\n", "row 3, column basePort: "},
      {"port,basePort\nCOM1,1,2\n", "row 2 has 3 cells"},
      {"port,gageType[B]\nCOM1,99\n", "row 2, column gageType[B]: gageType[B] cannot be 99"},
      {"serial,basePort\nA,1\nA,2\n", "\"A\" is also in row 2"},
      {"serial,ipAddress\nA,10.0.0.1\nB,10.0.0.01\n", "rows 2 and 3 give the same address"},
      {"serial,description\nA,\"open\n", "not closed"},
  };
  for (const auto& c : bad) {
    VarsTable loaded;
    VarsProblem problem = LoadVarsTable(WriteTable(dir, c.text), loaded);
    if (problem.ok)
      problem = CheckVarsTable(loaded, document.Image(), document.Extension());
    EXPECT_NE(problem.error.find(c.error), std::string::npos) << c.text << ": " << problem.error;
  }
}

}  // namespace
}  // namespace mx::tool
