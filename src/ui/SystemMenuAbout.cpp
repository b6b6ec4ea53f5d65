// The About entry of the system menu on Windows; nothing elsewhere.
#include "SystemMenuAbout.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include "res/StringTable.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QString>

#include <string>

#include <windows.h>
#endif

namespace rw::ui {

#ifdef Q_OS_WIN

namespace {

constexpr UINT kAboutCommand = 16;
constexpr int kAboutEntryText = 101;

class WindowsSystemMenuAbout : public SystemMenuAbout, public QAbstractNativeEventFilter {
  public:
    WindowsSystemMenuAbout(HWND window, std::function<void(unsigned int)> onCommand)
        : m_window(window), m_onCommand(std::move(onCommand)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~WindowsSystemMenuAbout() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "windows_generic_MSG") {
            return false;
        }
        const MSG* msg = static_cast<const MSG*>(message);
        // The platform keeps the low four bits of a system command for itself.
        if (msg->hwnd == m_window && msg->message == WM_SYSCOMMAND &&
            (msg->wParam & 0xFFF0) == kAboutCommand) {
            m_onCommand(static_cast<unsigned int>(msg->wParam));
            return true;
        }
        return false;
    }

  private:
    HWND m_window;
    std::function<void(unsigned int)> m_onCommand;
};

}  // namespace

std::unique_ptr<SystemMenuAbout> SystemMenuAbout::Install(QWidget& window,
                                                          std::function<void(unsigned int)> onCommand) {
    const auto text = rw::res::String(kAboutEntryText);
    const HWND hwnd = reinterpret_cast<HWND>(window.winId());
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (text.empty() || menu == nullptr) {
        return nullptr;
    }
    const std::wstring entry =
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toStdWString();
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, entry.c_str());
    return std::make_unique<WindowsSystemMenuAbout>(hwnd, std::move(onCommand));
}

#else

std::unique_ptr<SystemMenuAbout> SystemMenuAbout::Install(QWidget&, std::function<void(unsigned int)>) {
    return nullptr;
}

#endif

}  // namespace rw::ui
