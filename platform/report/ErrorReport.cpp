#include "ErrorReport.h"

#include <QMessageBox>

namespace report {

QString collectedErrorsText(const QStringList &errors)
{
    QStringList lines{QStringLiteral("The following error(s) have occured:")};
    lines += errors;
    return lines.join(QLatin1Char('\n'));
}

void showCollectedErrors(const QStringList &errors, QWidget *parent)
{
    if (errors.isEmpty())
        return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), collectedErrorsText(errors),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("reportErrorBox"));
    box.exec();
}

} // namespace report
