#pragma once
// The monitoring panel: the program's main window. It builds the controls,
// named by their identifiers, shows what the panel engine puts into its model
// (PanelView, applied at most 25 times a second on the window thread), and
// wires the buttons, the one-second timer, the power choices, the address
// field, the heating tooltip, scrolling, the tray icon and the closing.
#include <QDialog>
#include <QHash>
#include <QTimer>
#include <memory>

#include "PanelColours.h"
#include "PanelEngine.h"
#include "PanelView.h"

class QComboBox;
class QLineEdit;
class QScrollArea;
class QSystemTrayIcon;
class CGraph;
class CXListCtrl;

namespace relvo7 {
class Recorder;
}

namespace relvo7::panel::ui {

struct PanelWindowOptions {
    bool demo = false;          // demo run: settings button closed, nothing kept in the profile
    bool withRecorder = true;   // start the RecordingThread (into the database folder)
    bool withTray = true;       // the notification-area icon, where the desktop has a tray
    bool savePowerChoices = true;
    EngineTimings timings{};    // tests shorten the waits
};

class CCPL_RELVO7Dlg : public QDialog, public PanelView {
    Q_OBJECT
public:
    explicit CCPL_RELVO7Dlg(PanelWindowOptions options = {}, QWidget* parent = nullptr);
    ~CCPL_RELVO7Dlg() override;

    // Operations of the panel.
    void ResetPanel();             // idle displays (applied at once)
    void ApplyInterfaceSettings();
    void UpdateTitle(bool connected);
    // The closing sequence; true when the window ended.
    bool requestClose();
    // True once the closing sequence has run (also during initialisation, when
    // an automatic connection could not start its polling thread).
    bool isClosed() const { return m_closed; }

    // Control by identifier (nullptr when unknown), the engine, the recorder.
    QWidget* control(int id) const { return m_controls.value(id, nullptr); }
    template <class T> T* control(int id) const { return qobject_cast<T*>(control(id)); }
    PanelEngine& engine() { return *m_engine; }
    PanelModel& model() { return m_model; }
    Recorder* recorder() { return m_recorder.get(); }
    const PanelColours& colours() const { return m_colours; }
    // Applies the engine's pending changes now (the 40 ms pump does it otherwise).
    void pumpNow();
    // View applications that changed something, since start (repaint budget).
    uint64_t appliedBatches() const { return m_appliedBatches; }
    QSize panelFullSize() const { return m_fullSize; }
    QScrollArea* scrollArea() const { return m_scroll; }

    // PanelView.
    void setText(int id, const std::string& utf8) override;
    void setPos(int id, int pos) override;
    void setRange(int id, int lower, int upper) override;
    void setMarkers(int id, int upper, int lower) override;
    void setState(int id, int state) override;
    void setVisible(int id, bool visible) override;
    void setEnabled(int id, bool enabled) override;
    void setGraphLevel(int id, uint32_t thermalValue) override;
    void setGraphRunning(int id, bool running) override;
    void resetGraphLevel(int id) override;
    void insertAlarmRow(int listId, const AlarmRow& row) override;
    void deleteAlarmRows(int listId, int itemData) override;
    void deleteAllAlarmRows(int listId) override;
    void setFocus(int id) override;

public slots:
    void accept() override {} // Enter does not close the panel
    void reject() override {} // nor does Escape
    void onSettings();
    void onAbout();
    void onTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void OnInitDialog();
    void applyTopMost();
    void fitToScreen();
    void refreshFromSettings();
    void onAddressEdited();
    void onAddressFinished();
    void onPowerChoice(int box, int index);
    void updateScrollSteps();
    void startRecorder();
    void updateTray(bool tick);
    void releaseResources();
    void startToolHooks();

    PanelWindowOptions m_options;
    PanelColours m_colours;
    QHash<int, QWidget*> m_controls;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_panel = nullptr;
    QSize m_fullSize;
    QComboBox* m_power[3] = {nullptr, nullptr, nullptr};
    QLineEdit* m_address = nullptr;
    CGraph* m_graph = nullptr;
    CXListCtrl* m_alarms = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    bool m_trayBlink = false;
    int m_lastTooltipY = -1;

    RealLink m_link;
    PanelModel m_model;
    std::unique_ptr<PanelEngine> m_engine;
    std::unique_ptr<Recorder> m_recorder;
    QTimer m_panelTimer; // PanelTimer, id 4096, 1000 ms
    QTimer m_pumpTimer;  // applies the model, 40 ms
    uint64_t m_appliedBatches = 0;
    bool m_closed = false;
    bool m_shownOnce = false;
};

} // namespace relvo7::panel::ui
