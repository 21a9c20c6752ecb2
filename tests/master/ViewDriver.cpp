#include "ViewDriver.h"

#include "dokteru.h"
#include "masterPoliu.h"
#include "masterpuskesmasu.h"
#include "pegawaiu.h"

#include "fb/DataSet.h"
#include "guard/Guard.h"
#include "widgets/DBVerticalGrid.h"
#include "widgets/DataSetTableModel.h"
#include "widgets/RecordModel.h"

#include <QSignalSpy>
#include <QToolButton>
#include <stdexcept>

ViewDriver::ViewDriver(int commandNumber)
    : number_(commandNumber)
{
    guard::setErrorSink([this](const QString &message) { errors_ << message; });
    reopen();
}

ViewDriver::~ViewDriver()
{
    view_.reset();
    guard::setErrorSink({});
}

std::unique_ptr<MaintenanceView> ViewDriver::makeView(int commandNumber)
{
    std::unique_ptr<MaintenanceView> view;
    switch (commandNumber) {
    case 2: view = std::make_unique<TForm1_pegawai>(nullptr); break;
    case 3: view = std::make_unique<TForm1_masterPuskesmas>(nullptr); break;
    case 4: view = std::make_unique<TForm1_dokter>(nullptr); break;
    case 5: view = std::make_unique<TForm1_masterPoli>(nullptr); break;
    default: throw std::invalid_argument("no maintenance view for this number");
    }
    view->resize(900, 600);
    view->show();
    view->FormShow();
    return view;
}

void ViewDriver::reopen()
{
    view_.reset();
    view_ = makeView(number_);
}

widgets::DBGrid *ViewDriver::grid() const { return view_->findChild<widgets::DBGrid *>("grid1"); }

bool ViewDriver::inEditMode() const
{
    if (auto *g = grid())
        return g->isEditing() && !g->rowSelect();
    return view_->findChild<widgets::DBVerticalGrid *>("DBGrid1")->isEditing();
}

QModelIndex ViewDriver::cellOf(const QString &field) const
{
    const int wanted = ds().fieldIndex(field);
    if (auto *g = grid()) {
        widgets::DataSetTableModel *m = g->model();
        const int row = m->modelRow(ds().currentRow());
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->fieldIndex(c) == wanted)
                return m->index(row, c);
        return {};
    }
    widgets::RecordModel *m = view_->findChild<widgets::DBVerticalGrid *>("DBGrid1")->recordModel();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->fieldIndex(r) == wanted)
            return m->index(r, 0);
    return {};
}

bool ViewDriver::type(const QString &field, const QVariant &value)
{
    const QModelIndex cell = cellOf(field);
    return cell.isValid() && const_cast<QAbstractItemModel *>(cell.model())->setData(cell, value, Qt::EditRole);
}

bool ViewDriver::tick(const QString &field, bool ticked)
{
    const QModelIndex cell = cellOf(field);
    return cell.isValid()
        && const_cast<QAbstractItemModel *>(cell.model())
               ->setData(cell, ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void ViewDriver::answerDelete(bool ok)
{
    view_->nav1->setDeleteConfirmation([ok] { return ok; });
    if (auto *g = grid())
        g->setDeleteConfirmation([ok] { return ok; });
}

QByteArrayList ViewDriver::close()
{
    QSignalSpy sent(view_.get(), &ModuleView::sendThroughPipe);
    view_->btn_close->click();
    QByteArrayList messages;
    for (const QList<QVariant> &args : sent)
        messages << args.at(0).toByteArray();
    return messages;
}
