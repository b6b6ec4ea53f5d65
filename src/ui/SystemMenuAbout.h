// The About entry of the window's system menu, where the platform has one (Windows).
#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace rw::ui {

// Appends a separator and "&About Race Course Editor" (command 16) to window's system menu and calls
// onCommand with the command whenever the entry is chosen, for as long as the returned object lives.
// Where there is no system menu this does nothing and returns nothing.
class SystemMenuAbout {
  public:
    static std::unique_ptr<SystemMenuAbout> Install(QWidget& window,
                                                    std::function<void(unsigned int)> onCommand);
    virtual ~SystemMenuAbout() = default;

  protected:
    SystemMenuAbout() = default;
};

}  // namespace rw::ui
