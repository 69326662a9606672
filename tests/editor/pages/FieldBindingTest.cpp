// The bindings between controls and image fields that every tab is built from.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include "editor/frame/CMX3_SetupDoc.h"
#include "editor/pages/FieldBinding.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

TEST(FieldBindingTest, DecimalsAreReadLikeTheInterfaceExpectsAndShownLikePercentG) {
  const struct {
    const char* typed;
    float value;
    const char* shown;
  } cases[] = {
      {"2.54", 2.54F, "2.54"},
      {"abc", 0.0F, ""},
      {"0", 0.0F, ""},
      {"-0", 0.0F, ""},
      {"  +1e3x", 1000.0F, "1000"},
      {"1,5", 1.0F, "1"},  // a comma ends the number in every locale
      {".5", 0.5F, "0.5"},
      {"-2.5", -2.5F, "-2.5"},
      {"123456789", 123456789.0F, "1.23457e+08"},
      {"0.00001", 0.00001F, "1e-05"},
      {"1e39", std::numeric_limits<float>::max(), "3.40282e+38"},
      {"-1e999", -std::numeric_limits<float>::max(), "-3.40282e+38"},
      {"1e-999", 0.0F, ""},
      {"inf", 0.0F, ""},
      {"nan", 0.0F, ""},
  };
  for (const auto& c : cases) {
    const float value = ReadDecimal(c.typed);
    EXPECT_EQ(value, c.value) << c.typed;
    EXPECT_FALSE(std::signbit(value) && value == 0.0F) << c.typed;
    EXPECT_EQ(FormatDecimal(value), c.shown) << c.typed;
  }
  // Only the first 98 characters are read.
  EXPECT_EQ(ReadDecimal(QString(97, '0') + "12"), 1.0F);
}

TEST(FieldBindingTest, IntegersAreReadLikePercentD) {
  EXPECT_EQ(ReadInteger(" 42x"), 42);
  EXPECT_EQ(ReadInteger("-7"), -7);
  EXPECT_EQ(ReadInteger(""), 0);
  EXPECT_EQ(ReadInteger("x5"), 0);
  EXPECT_EQ(ReadInteger(QString(40, '9')), 1'000'000'000'000LL);
}

struct Bench {
  CMX3_SetupDoc document;
  QWidget owner;
  ParameterImage& Image() { return document.Image(); }
};

TEST(FieldBindingTest, ChoiceSelectsNoneForUnknownValuesAndThenStoresNothing) {
  Bench bench;
  ChoiceBinding parity(bench.document, fld::gageParity, &bench.owner);
  parity.Add("None", 'N');
  parity.Add("Even", 'E');
  parity.Add("Odd", 'O');
  bench.document.SetCurrentChannel(3);
  bench.Image().Set(fld::gageParity, 'N', 0);
  bench.Image().Set(fld::gageParity, 'O', 3);
  parity.Load();
  EXPECT_TRUE(parity.Button('O')->isChecked());
  parity.Button('E')->click();
  parity.Store();
  EXPECT_EQ(bench.Image().Get(fld::gageParity, 3), 'E');
  EXPECT_EQ(bench.Image().Get(fld::gageParity, 0), 'N');

  bench.Image().Set(fld::gageParity, 'X', 3);
  parity.Load();
  EXPECT_EQ(parity.Selected(), std::nullopt);
  parity.Store();
  EXPECT_EQ(bench.Image().Get(fld::gageParity, 3), 'X');
}

TEST(FieldBindingTest, FixedElementsIgnoreTheChannelShown) {
  Bench bench;
  CheckBinding routed(bench.document, fld::networkSource, "C", &bench.owner, 5 * 1 + 2,
                      CheckBinding::Ticked::kStoresZero);
  bench.document.SetCurrentChannel(4);
  bench.Image().Set(fld::networkSource, uint8_t{1}, 7);
  routed.Load();
  EXPECT_FALSE(routed.IsTicked());
  routed.Box()->click();
  routed.Store();
  EXPECT_EQ(bench.Image().Get(fld::networkSource, 7), 0);
  EXPECT_EQ(bench.Image().Get(fld::networkSource, 4), 0);
}

TEST(FieldBindingTest, NumberBoxTakesDigitsWithinItsLimitAndClampsWhenStored) {
  Bench bench;
  NumberBinding count(bench.document, fld::calcReadingCount, {.maxLength = 5, .highest = 30000},
                      &bench.owner);
  bench.document.SetCurrentChannel(1);
  QTest::keyClicks(count.Box(), "4a5-0009");
  EXPECT_EQ(count.Box()->text(), "45000");
  EXPECT_EQ(count.Store(), 30000);
  EXPECT_EQ(count.Box()->text(), "30000");
  EXPECT_EQ(bench.Image().Get(fld::calcReadingCount, 1), 30000);
  count.Box()->clear();
  count.Store();
  EXPECT_EQ(count.Box()->text(), "");
  EXPECT_EQ(bench.Image().Get(fld::calcReadingCount, 1), 0);

  NumberBinding bounce(bench.document, fld::contactBounceMs,
                       {.maxLength = 4, .highest = 1000, .emptyForZero = false}, &bench.owner);
  bounce.Show(-1);
  EXPECT_EQ(bounce.Clamped(), 0);
  bounce.Store();
  EXPECT_EQ(bounce.Box()->text(), "0");
}

TEST(FieldBindingTest, TextBoxTakesWhatTheFieldHoldsBeforeItsTerminator) {
  Bench bench;
  TextBinding id(bench.document, fld::idText, &bench.owner);
  EXPECT_EQ(id.Box()->maxLength(), 30);
  id.Box()->setText(QString(30, 'x') + QChar(0xE9));
  id.Store();
  EXPECT_EQ(bench.Image().Text(fld::idText), std::string(30, 'x'));
  id.Box()->setText(QString(1, QChar(0xE9)));
  id.Store();
  id.Load();
  EXPECT_EQ(id.Box()->text(), QString(1, QChar(0xE9)));
}

TEST(FieldBindingTest, DecimalBoxLeftAsShownKeepsDigitsTheScreenDoesNotShow) {
  Bench bench;
  DecimalBinding slope(bench.document, fld::equationB, &bench.owner);
  bench.Image().Set(fld::equationB, 0.1234567F);
  slope.Load();
  EXPECT_EQ(slope.Box()->text(), "0.123457");
  slope.Store();
  EXPECT_EQ(bench.Image().Get(fld::equationB), 0.1234567F);
  slope.Box()->setText("0.1234");
  slope.Store();
  EXPECT_EQ(bench.Image().Get(fld::equationB), 0.1234F);
}

TEST(FieldBindingTest, ScreenReadersNameBoxesByTheirLabelOrTheirControl) {
  Bench bench;
  QGroupBox* group = MakeGroup("End of Output String: ");
  auto* layout = new QVBoxLayout(group);
  TextBinding id(bench.document, fld::idText, &bench.owner);
  TextBinding end(bench.document, fld::endOfOutputText, &bench.owner);
  layout->addWidget(LabelFor("Chan ID", id.Box()));
  layout->addWidget(id.Box());
  layout->addWidget(end.Box());
  NameAfter(end.Box(), "Custom");
  ChoiceBinding mode(bench.document, fld::endOfOutputMode, &bench.owner);
  layout->addWidget(mode.Add("Carriage return & Line feed"));
  group->setParent(&bench.owner);
  EXPECT_EQ(test::FindButton(&bench.owner, "Carriage return & Line feed"), mode.Button(0));
  EXPECT_EQ(test::FindNamed<QLineEdit>(&bench.owner, "Chan ID"), id.Box());
  EXPECT_EQ(test::FindNamed<QLineEdit>(&bench.owner, "Custom"), end.Box());
  EXPECT_EQ(test::FindNamed<QGroupBox>(&bench.owner, "End of Output String: "), group);
}

}  // namespace
}  // namespace mx::editor
