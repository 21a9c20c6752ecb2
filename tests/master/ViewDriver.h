#pragma once

#include "MaintenanceView.h"

#include "widgets/DBGrid.h"

#include <QStringList>
#include <memory>

// Drives a maintenance view the way a user does, through its navigator and grid, and
// collects what the standard error report shows.
class ViewDriver {
public:
    explicit ViewDriver(int commandNumber);
    ~ViewDriver();

    // A view as the main window makes it for a command number (2 to 5), shown.
    static std::unique_ptr<MaintenanceView> makeView(int commandNumber);

    MaintenanceView &view() const { return *view_; }
    fb::DataSet &ds() const { return view_->dataSet(); }
    widgets::DBGrid *grid() const; // null for the health-centre view
    const QStringList &errors() const { return errors_; }

    void press(widgets::DBNavigator::Button button) { view_->nav1->press(button); }
    // Writes a value into the current row's cell of a field, as typing there does. False
    // when the data control refuses (browse mode) or the value is refused.
    bool type(const QString &field, const QVariant &value);
    // Ticks or clears a flag cell of the current row.
    bool tick(const QString &field, bool ticked);
    // Answer for the next delete question.
    void answerDelete(bool ok);
    // Closes the view through its close button; returns what it sent through the pipe.
    QByteArrayList close();
    void reopen();

    bool inEditMode() const;
    QString current(const QString &field) const { return ds().fieldText(field); }

private:
    QModelIndex cellOf(const QString &field) const;

    int number_;
    std::unique_ptr<MaintenanceView> view_;
    QStringList errors_;
};
