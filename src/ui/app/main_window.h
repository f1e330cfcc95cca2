#pragma once

#include "core/app/general_settings.h"
#include "ui/app/app_context.h"

#include <QByteArray>
#include <QMainWindow>
#include <QTimer>

#include <string>

namespace pelto::ui {

// The program's only top-level window. It is created by the start sequence, finishes its set-up
// in the deferred initialisation once the event loop runs, and ends the program through its
// close query, which writes the settings back and releases the single-instance channel.
class TfrmPeltoBrowser : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmPeltoBrowser(AppContext context, QWidget* parent = nullptr);
    ~TfrmPeltoBrowser() override;

    // Copies the general settings into the window's state and pushes the dependent ones to the
    // interface. Run at creation and again after the options change.
    void ApplySettings();

    // The general settings as last applied.
    const core::GeneralSettings& settings() const { return m_settings; }

    // Receiving side of a later start's hand-over.
    void receiveHandOver(const QByteArray& text);

    // Brings the window to the front (a later start asked for it).
    void bringToFront();

    // True once the deferred initialisation has run.
    bool initialised() const { return m_initialised; }

    // Window state shared by the features.
    bool InTray = false;
    bool SaveOnExitRequested = false;
    bool ClosingInBulk = false;
    bool AddressEditing = false;
    bool IsExiting = false;
    bool DisplayModeActive = false;

signals:
    // The deferred initialisation has finished (the settings file has been written).
    void initialisationFinished();
    // The close procedure has run to its end: the program may end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void PlaceWindow();
    void TimerInitTimer();
    void OpenCommandLineAndPending();
    bool FormCloseQuery();
    void SaveWindowBounds();
    void OpenInNewPage(const std::string& text);

    AppContext m_context;
    core::GeneralSettings m_settings;
    QTimer m_timerInit;
    bool m_initialised = false;
    bool m_closed = false;
};

}  // namespace pelto::ui
