#pragma once

#include <functional>

class QWidget;

namespace widgets {

// Asked before a record is deleted; true deletes. Tests install their own answer.
using DeleteConfirmation = std::function<bool()>;

// The question "Delete record?" in a message box with OK and Cancel.
DeleteConfirmation defaultDeleteConfirmation(QWidget *parent);

} // namespace widgets
