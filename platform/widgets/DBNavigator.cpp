#include "DBNavigator.h"

#include "DataSource.h"
#include "fb/DataSet.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace widgets {

using fb::DataSet;

namespace {

// Glyphs stand in for icons: the hints say what each button does.
const char16_t *const glyphs[DBNavigator::ButtonCount] = {
    u"|\u25C0", u"\u25C0", u"\u25B6", u"\u25B6|", u"+", u"\u2212", u"\u25B2", u"\u2713", u"\u2717", u"\u21BB",
};

} // namespace

DBNavigator::DBNavigator(QWidget *parent)
    : QWidget(parent)
    , confirmDelete_(defaultDeleteConfirmation(this))
    , report_(defaultErrorReporter(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        const auto which = Button(i);
        b->setText(QString::fromUtf16(glyphs[i]));
        b->setToolTip(hint(which));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, which] { press(which); });
        layout->addWidget(b);
        buttons_[size_t(i)] = b;
    }
    setFixedHeight(25);
    updateButtons();
}

QString DBNavigator::hint(Button button)
{
    static const char *const hints[ButtonCount] = {
        "First record", "Prior record", "Next record", "Last record", "Insert record",
        "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data",
    };
    return QString::fromLatin1(hints[button]);
}

void DBNavigator::setDataSource(DataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &DataSource::dataSetChanged, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::stateChanged, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::currentRowChanged, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::rowsReset, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::rowInserted, this, &DBNavigator::updateButtons);
        connect(source, &DataSource::rowRemoved, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(const QList<Button> &visible)
{
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[size_t(i)]->setVisible(visible.contains(Button(i)));
}

bool DBNavigator::isButtonVisible(Button button) const
{
    return !buttons_[size_t(button)]->isHidden();
}

void DBNavigator::setFlat(bool flat)
{
    for (QToolButton *b : buttons_)
        b->setAutoRaise(flat);
}

bool DBNavigator::isFlat() const
{
    return buttons_[0]->autoRaise();
}

// Nothing while closed. Browsing: moving by the cursor's place, Insert when the dataset
// can be written, Delete and Edit on a row, Refresh. Editing or inserting: Post and
// Cancel; moving and Refresh stay (they finish the row first); Edit does not.
void DBNavigator::updateButtons()
{
    const DataSet *ds = source_ ? source_->dataSet() : nullptr;
    const bool active = ds && ds->isOpen() && ds->state() != DataSet::State::Inactive;
    const bool editing = active && ds->state() != DataSet::State::Browse;
    const bool canModify = active && ds->canModify();
    const bool hasRows = active && !ds->isEmpty();
    const int row = active ? ds->currentRow() : -1;
    const bool canGoUp = hasRows && row > 0;
    const bool canGoDown = hasRows && row < ds->rowCount() - 1;

    const bool enabled[ButtonCount] = {
        canGoUp, canGoUp, canGoDown, canGoDown,
        canModify,
        canModify && hasRows,
        canModify && hasRows && !editing,
        editing, editing,
        active,
    };
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[size_t(i)]->setEnabled(enabled[i]);
}

void DBNavigator::act(Button button)
{
    DataSet &ds = *source_->dataSet();
    switch (button) {
    case First: ds.first(); break;
    case Prior: ds.prior(); break;
    case Next: ds.next(); break;
    case Last: ds.last(); break;
    case Insert: ds.insert(); break;
    case Delete: ds.remove(); break; // a row being inserted is just dropped
    case Edit: ds.edit(); break;
    case Post: ds.post(); break;
    case Cancel: ds.cancel(); break;
    case Refresh:
        // A row being edited is finished first: posted when changed, dropped when not.
        ds.checkBrowseMode();
        if (!ds.isEmpty())
            ds.refresh();
        break;
    }
}

void DBNavigator::press(Button button)
{
    if (!buttons_[size_t(button)]->isEnabled() || !source_ || !source_->dataSet())
        return;
    if (button == Delete && !(confirmDelete_ && confirmDelete_())) {
        emit clicked(button); // refused: nothing deleted, the click is still reported
        return;
    }
    if (button == Cancel)
        source_->discardPendingEdits();
    else
        source_->updateRecord();
    const bool done = runGuarded(report_, [&] { act(button); });
    updateButtons();
    if (done)
        emit clicked(button);
}

} // namespace widgets
