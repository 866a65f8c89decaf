#include "views/RegisterViews.h"

#include <QObject>

#include "frame/MainWindow.h"
#include "views/PopupHelp.h"
#include "views/RegisterHost.h"
#include "views/RegisterRows.h"
#include "views/frmRegisters.h"

namespace quorvel {

namespace {

// The frame as the register windows see it; the frame owns it.
class FrameRegisterHost : public QObject, public RegisterHost {
public:
    explicit FrameRegisterHost(frmMain& frame) : QObject(&frame), frame_(frame) {}

    TargetState& State() override { return frame_.Target(); }
    TargetAccess& Target() override { return frame_.Targets(); }
    Prompt& Prompts() override { return frame_.prompt(); }
    QTimer* RefreshTimer() override { return frame_.tmrRefresh; }
    void StartRefreshTimer() override { frame_.StartRefreshTimer(); }
    void StopRefreshTimer() override { frame_.StopRefreshTimer(); }
    void Refresh() override { frame_.Refresh(); }
    void SetRegistersHelp() override { frame_.SetRegistersHelp(); }
    void ShowHelpTopic(int topic) override { frame_.ShowHelpTopic(topic); }
    QMenu* PopupView() override { return frame_.Menu(QStringLiteral("mnuPopupView")); }
    QAction* Command(const QString& name) override { return frame_.Command(name); }
    void SetCommandEnabled(const QString& name, bool enabled) override {
        frame_.SetCommandEnabled(name, enabled);
    }

private:
    frmMain& frame_;
};

} // namespace

void InstallRegisterViews(frmMain& frame) {
    auto* host = new FrameRegisterHost(frame);
    for (const RegisterWindowInfo& info : RegisterWindows()) {
        const WindowPlacement designed{float(info.Left), float(info.Top), float(info.Width),
                                       float(info.Height), kStateNormal};
        const RegisterWindowInfo* window = &info;
        frame.RegisterView({QLatin1String(info.MenuName), QLatin1String(info.FormName),
                            QLatin1String(info.Prefix), [designed](QSizeF) { return designed; },
                            [host, window] { return new frmRegisters(*host, *window); }});
    }
    InstallMenuHelp(frame.Menu(QStringLiteral("mnuPopupView")),
                    [&frame](int topic) { frame.ShowHelpTopic(topic); });
}

} // namespace quorvel
