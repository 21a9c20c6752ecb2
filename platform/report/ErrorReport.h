#pragma once

#include <QStringList>

class QWidget;

namespace report {

// The text of the box that lists the faults met while preparing a report:
// "The following error(s) have occured:" and then one message per line.
QString collectedErrorsText(const QStringList &errors);

// Shows them in one modal message box titled "Error"; does nothing when there are none.
void showCollectedErrors(const QStringList &errors, QWidget *parent = nullptr);

} // namespace report
