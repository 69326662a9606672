#pragma once
// The RS232 tab: for the channel shown, the serial settings of an RS232 gage, how the end of each
// packet is found, how the reading is picked out of it, how the gage is asked for a reading and
// what happens to late answers; on channel E also the two chaining options. The Basic and
// Extended tabs read endOfPacketMode and transferAsReceived from here for their own enabling.

#include "editor/pages/FieldBinding.h"
#include "editor/pages/SetupPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace mx::editor {

class Rs232Page : public SetupPage {
  Q_OBJECT
 public:
  explicit Rs232Page(CMX3_SetupDoc& document, QWidget* parent = nullptr);

  void LoadFromImage() override;
  void StoreToImage() override;
  // The checked baud rate.
  void FocusFirstChoice() override;

 private:
  QWidget* BuildLineGroups();
  QWidget* BuildEndOfPacketGroup();
  QWidget* BuildParsingGroup();
  QWidget* BuildReadCommandGroup();
  QWidget* BuildResponseGroup();
  QWidget* BuildChainingGroup();

  int Channel();
  ParameterImage& Image();
  // Every control on or off; the chaining boxes only ever on channel E.
  void SwitchAll(bool on);
  void ApplyParityRule(char parity);
  void ApplyResponseRule();
  void ApplyReadCommandRule(int command);
  void ApplyParsingRule(bool on);
  // "Remove end-of-packet character", "Find first numeric field", "Character positions" and the
  // positions, from the end-of-packet choice and the two boxes as the image holds them.
  void ApplyParsingEnabling(bool parsing);
  bool ParsingOn() const;
  void OnEndOfPacket(int mode);
  void OnTransferClicked();
  void OnChainCommands();
  void OnChainDefaultBaud();
  bool DefaultBaudLocked();
  void LockDefaultBaud(bool locked);
  void FilterHexBox();
  void NormaliseHexBox();
  // Start at least 1, end at least start (otherwise start + 9), in the image and on screen.
  void CorrectPositions();

  ChoiceBinding* baud_ = nullptr;
  ChoiceBinding* parity_ = nullptr;
  ChoiceBinding* dataBits_ = nullptr;
  ChoiceBinding* stopBits_ = nullptr;
  // Bit 4 of gageHandshakeFlags: the other bits are the interface's.
  ChoiceBinding* level_ = nullptr;
  ChoiceBinding* endOfPacket_ = nullptr;
  QLineEdit* hex_ = nullptr;
  bool hexGuard_ = false;
  NumberBinding* gapTime_ = nullptr;
  QLabel* gapMsec_ = nullptr;
  CheckBinding* removeEnd_ = nullptr;
  CheckBinding* charPositions_ = nullptr;
  CheckBinding* findNumeric_ = nullptr;
  CheckBinding* transfer_ = nullptr;
  NumberBinding* start_ = nullptr;
  NumberBinding* end_ = nullptr;
  ControlSet positions_;
  ChoiceBinding* readCommand_ = nullptr;
  NumberBinding* handshakeLow_ = nullptr;
  QLabel* handshakeLowMsec_ = nullptr;
  TextBinding* command_ = nullptr;
  NumberBinding* wait_ = nullptr;
  ChoiceBinding* action_ = nullptr;
  ControlSet response_;
  CheckBinding* chainCommands_ = nullptr;
  CheckBinding* chainDefaultBaud_ = nullptr;
  // What "Set channel E to default Mesurix baud" locks.
  std::vector<QRadioButton*> lockedByDefaultBaud_;
  ControlSet all_;
};

}  // namespace mx::editor
