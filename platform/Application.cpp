#include "platform/Application.h"

namespace vesk {

int Application::MessageBox(const std::string& text, const std::string& caption, int flags)
{
    return handler_(text, caption, flags);
}

void Application::showError(const std::exception& error)
{
    MessageBox(std::string(error.what()) + ".", title_, MbIconStop);
}

MessageBoxHandler Application::setMessageBoxHandler(MessageBoxHandler handler)
{
    std::swap(handler_, handler);
    return handler;
}

Application& application()
{
    static Application instance;
    return instance;
}

}  // namespace vesk
