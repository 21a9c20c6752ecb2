#include "DeleteConfirmation.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>

namespace widgets {

DeleteConfirmation defaultDeleteConfirmation(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    return [owner]() {
        const auto answer = QMessageBox::question(owner.data(), QGuiApplication::applicationDisplayName(),
                                                  QStringLiteral("Delete record?"),
                                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
        return answer == QMessageBox::Ok;
    };
}

} // namespace widgets
