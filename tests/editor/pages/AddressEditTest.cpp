// The four-part address control: four octets of 0..255 and nothing else, typed, pasted or deleted.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "editor/pages/AddressEdit.h"
#include "tests/editor/EditorBench.h"

namespace mx::editor {
namespace {

struct AddressBench {
  AddressBench() {
    edit.SetName("TCP/IP address");
    edit.show();
    QApplication::setActiveWindow(&edit);
  }
  test::ModalWatcher watcher;
  AddressEdit edit;
};

TEST(AddressEditTest, TypingFillsFourOctetsOfAtMost255) {
  const struct {
    const char* typed;
    const char* shown;
    const char* refused = nullptr;  // the octet named in the message
  } cases[] = {
      {"192.168.0.10", "192.168.0.10"},  // the third digit moves on; the dot after it is spent
      {"10 1 2 3", "10.1.2.3"},
      {"300", "30.0.0.0", "300"},  // a digit past 255 is refused, the octet kept for correction
      {"192.168.256.20", "192.168.20.0", "256"},  // what follows never completes 192.168.25.20
      {"1x2.-3", "12.3.0.0"},                     // only digits count
      {"1.2.3.4.5", "1.2.3.45"},                  // there is no fifth octet
  };
  for (const auto& c : cases) {
    AddressBench bench;
    bench.edit.Part(0)->setFocus();
    bench.edit.Part(0)->selectAll();
    for (const QChar ch : QString(c.typed))
      QTest::keyClicks(QApplication::focusWidget(), QString(ch));
    EXPECT_EQ(bench.edit.Text(), c.shown) << c.typed;
    ASSERT_EQ(bench.watcher.messages.size(), c.refused ? 1U : 0U) << c.typed;
    if (c.refused) {
      EXPECT_TRUE(bench.watcher.messages[0].text.startsWith(c.refused));
      EXPECT_TRUE(bench.watcher.messages[0].text.contains("0 to 255"));
    }
  }
}

TEST(AddressEditTest, PastingTakesWholeAddressesOnly) {
  AddressBench bench;
  bench.edit.SetAddress({1, 2, 3, 4});
  QLineEdit* second = bench.edit.Part(1);
  second->setFocus();
  for (const char* refused : {"256.1.1.1", "1.2.3", "a.b.c.d", "1234"}) {
    QGuiApplication::clipboard()->setText(refused);
    second->selectAll();
    QTest::keySequence(second, QKeySequence::Paste);
    EXPECT_EQ(bench.edit.Text(), "1.2.3.4") << refused;
  }
  QGuiApplication::clipboard()->setText(" 172.16.254.1 ");
  QTest::keySequence(second, QKeySequence::Paste);
  EXPECT_EQ(bench.edit.Text(), "172.16.254.1");
  QGuiApplication::clipboard()->setText("99");
  second->selectAll();
  QTest::keySequence(second, QKeySequence::Paste);
  EXPECT_EQ(bench.edit.Text(), "172.99.254.1");
}

TEST(AddressEditTest, DeletingLeavesZeroAndBackspaceCrossesOctets) {
  AddressBench bench;
  bench.edit.SetAddress({10, 20, 30, 40});
  QLineEdit* third = bench.edit.Part(2);
  third->setFocus();
  third->setCursorPosition(2);
  QTest::keyClick(third, Qt::Key_Backspace);
  QTest::keyClick(third, Qt::Key_Backspace);
  EXPECT_EQ(bench.edit.Address()[2], 0);
  QTest::keyClick(third, Qt::Key_Backspace);  // at the start: on into the octet before
  EXPECT_EQ(QApplication::focusWidget(), bench.edit.Part(1));
  emit third->editingFinished();
  EXPECT_EQ(bench.edit.Text(), "10.20.0.40");
  EXPECT_EQ(third->text(), "0");
  EXPECT_EQ(test::AccessibleName(bench.edit.Part(3)), "TCP/IP address, octet 4");
}

}  // namespace
}  // namespace mx::editor
