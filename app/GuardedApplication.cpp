#include "GuardedApplication.h"

#include "guard/Guard.h"

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guard::guarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}
