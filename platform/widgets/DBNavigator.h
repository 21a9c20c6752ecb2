#pragma once

#include "DeleteConfirmation.h"
#include "ErrorGuard.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QToolButton;

namespace widgets {

class DataSource;

// A row of ten buttons acting on the dataset of a data source. After a button's own
// action it emits clicked(button) with the button's number; a delete the user refused
// still emits it, an action that failed does not (its error is shown instead).
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First = 0, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int ButtonCount = 10;

    explicit DBNavigator(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_.data(); }

    // Which buttons the navigator shows; all ten by default.
    void setVisibleButtons(const QList<Button> &buttons);
    bool isButtonVisible(Button button) const;
    void setFlat(bool flat);
    bool isFlat() const;

    QToolButton *button(Button button) const { return buttons_[size_t(button)]; }
    static QString hint(Button button);

    void setDeleteConfirmation(DeleteConfirmation confirm) { confirmDelete_ = std::move(confirm); }
    void setErrorReporter(ErrorReporter report) { report_ = std::move(report); }

    // Presses a button as a click would (also when it is disabled, which does nothing).
    void press(Button button);

signals:
    void clicked(int button);

private:
    void updateButtons();
    // The button's own action on the dataset; throws what the dataset throws.
    void act(Button button);

    QPointer<DataSource> source_;
    std::array<QToolButton *, ButtonCount> buttons_{};
    DeleteConfirmation confirmDelete_;
    ErrorReporter report_;
};

} // namespace widgets
