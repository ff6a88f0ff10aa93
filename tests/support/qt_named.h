// The window's controls as tools outside the program find them: by the names of the form design.
#pragma once

#include <QObject>

#include <stdexcept>
#include <string>

template <typename Control> Control& Named(const QObject& form, const char* name) {
    auto* control = dynamic_cast<Control*>(form.findChild<QObject*>(QString::fromLatin1(name)));
    if (control == nullptr) {
        throw std::logic_error(std::string("no control named ") + name);
    }
    return *control;
}
