// An automation client without a QApplication of its own (like snippo-call) that calls Config.
// A second thread stands in for the user: once the library has made its QApplication, it has
// the "Button Properties" dialog closed on the user-interface thread. Prints what happened.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/runtime.h"

using namespace snippo;

namespace {

std::atomic<bool> g_sawDialog{false};

void CloseDialogSoon()
{
    QTimer::singleShot(20, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("CDlgButtonProperties") && w->isVisible()) {
                g_sawDialog = true;
                w->close();
                return;
            }
        }
        CloseDialogSoon();
    });
}

}  // namespace

int main()
{
    if (QCoreApplication::instance())
        return 3;
    if (FAILED(CoInitialize(nullptr)))
        return 4;
    CLSID clsid{};
    ComPtr<IDispatch> widget;
    if (CLSIDFromProgID("SnippoServer.GlimButton", &clsid) != S_OK ||
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, &widget) != S_OK) {
        std::printf("cannot create the widget\n");
        return 5;
    }
    std::thread user([] {
        for (int i = 0; i < 2000 && !QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [] { CloseDialogSoon(); }, Qt::QueuedConnection);
    });
    Variant result;
    const HRESULT hr = AutomationInvoke(widget.Get(), 9, DISPATCH_METHOD, {}, &result);
    user.join();
    bool ok = false;
    result.ToBool(&ok);
    std::printf("Config: %s, application: %s, dialog shown: %s\n", SUCCEEDED(hr) && ok ? "true" : "false",
                qobject_cast<QApplication*>(QCoreApplication::instance()) ? "QApplication" : "none",
                g_sawDialog ? "yes" : "no");
    widget.Reset();
    CoUninitialize();
    return 0;
}
