#pragma once
// The main view: one tab control with the seven pages, the current model, and the routing of the
// editor commands (model and channel choice, Find, Read, Send, Copy Channels, Reset). It decides
// when pages load from the image and when they write back; how they do it is SetupPages'.

#include <QWidget>
#include <memory>

#include "core/ModelTable.h"
#include "editor/pages/SetupPages.h"

class QKeyEvent;
class QTabWidget;

namespace mx::editor {

class CMX3_SetupDoc;
class DeviceCommandRunner;
class PrintCommands;
class StatusPage;
struct DeviceEnvironment;

class CMX3_SetupView : public QWidget {
  Q_OBJECT
 public:
  CMX3_SetupView(CMX3_SetupDoc& document, DeviceEnvironment& environment,
                 QWidget* parent = nullptr);
  ~CMX3_SetupView() override;

  ModelIndex CurrentModel() const { return model_; }
  // Identification sets the model directly and then runs ModelSelect.
  void SetCurrentModel(ModelIndex model) { model_ = model; }
  // The model menu and the Status tab's radio buttons.
  void SelectModelCommand(ModelIndex model);
  // The model switch with its commit, model rules and refresh.
  void ModelSelect(ModelIndex model);
  // A loaded image's model: radio button, command state, tab captions; the image is left as it is.
  void SelectLoadedModel(ModelIndex model);
  void ChannelSelect(int channel);

  // The Status tab's connection lines: emptied (and the link forgotten) or composed from the link.
  void UpdateConnectionStatus(bool connected);

  void OnFind();
  void OnRead();
  void OnSend();
  void OnCopyChannels();
  void OnReset();

  // The key handler offered every key press of the main window first; true: handled, stop.
  bool HandleKey(QKeyEvent* event);
  bool ModalOpen() const { return modalOpen_; }
  void SetTestWindowOpen(bool open) { testWindowOpen_ = open; }

  QTabWidget* Tabs() const { return tabs_; }
  SetupPages& Pages() { return *pages_; }
  StatusPage* Status() const;
  int CurrentHelpTopic() const;
  DeviceCommandRunner& Commands() { return *commands_; }
  // Print, Print Preview, Print Setup and Export PDF, with the page selection kept between jobs.
  PrintCommands& Printing() { return *printing_; }

 signals:
  // The model or channel changed: check marks and enabled channel buttons need updating.
  void CommandStateChanged();
  void HelpTopicChanged(int topic);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnTabChanged(int index);
  void FocusFirstChoice(int tab);
  void RefreshAfterChannelChange();

  CMX3_SetupDoc& document_;
  QTabWidget* tabs_ = nullptr;
  std::unique_ptr<SetupPages> pages_;
  std::unique_ptr<DeviceCommandRunner> commands_;
  std::unique_ptr<PrintCommands> printing_;
  ModelIndex model_ = 0;
  int shownTab_ = kStatusTab;
  bool modalOpen_ = false;
  bool testWindowOpen_ = false;
};

}  // namespace mx::editor
