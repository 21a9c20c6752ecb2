#include "ReportBuilder.h"

#include "ReportError.h"
#include "TextMeasure.h"

namespace report {

ReportBuilder::ReportBuilder(const ReportLayout &layout, const ReportData &data,
                             const QDateTime &preparedAt, const QLocale &locale)
    : layout_(layout), preparedAt_(preparedAt), locale_(locale)
{
    data_ = data.load(errors_);
    const Band *master = layout_.band(BandKind::MasterData);
    if (master && !findDataSet(data_, master->dataSet))
        recordError(QStringLiteral("Unknown dataset \"%1\"").arg(master->dataSet));
}

void ReportBuilder::recordError(const QString &message)
{
    if (!errors_.contains(message))
        errors_.append(message);
}

int ReportBuilder::masterRowCount()
{
    const Band *master = layout_.band(BandKind::MasterData);
    const ReportDataSet *set = master ? findDataSet(data_, master->dataSet) : nullptr;
    return set ? int(set->rows.size()) : 0;
}

bool ReportBuilder::fits(const PageState &state, const Band &band) const
{
    // A band taller than an empty page still goes on it, or the report would never end.
    return state.y + band.heightMm <= state.limit + 1e-9 || state.bandsPlaced == 0;
}

void ReportBuilder::placeText(PageState &state, const TextBox &box, double bandTop, double bandHeight,
                              const EvalContext &context)
{
    PlacedText placed{box.rectMm, {}, box.font, box.alignment, box.wordWrap};
    placed.rectMm.translate(layout_.marginsMm.left(), bandTop);
    if (box.anchorBottom)
        placed.rectMm.moveTop(bandTop + bandHeight - box.rectMm.height());
    try {
        placed.text = TextTemplate::parse(box.text).evaluate(context, box.displayFormat);
    } catch (const ReportError &e) {
        recordError(e.message());
    }
    if (box.growToFit)
        placed.rectMm.setWidth(qMax(placed.rectMm.width(), textWidthMm(placed.text, box.font)));
    state.page.texts.append(placed);
}

void ReportBuilder::placeBand(PageState &state, const Band &band, double top, int row)
{
    const EvalContext context{&data_, band.dataSet, row, page_, preparedAt_, locale_};
    for (const TextBox &box : band.texts)
        placeText(state, box, top, band.heightMm, context);
    for (const Rule &rule : band.rules) {
        const QPointF start = rule.startMm + QPointF(layout_.marginsMm.left(), top);
        state.page.rules.append({QLineF(start, start + QPointF(rule.lengthMm, 0)), rule.thicknessMm});
    }
}

ReportPage ReportBuilder::buildNextPage()
{
    ++page_;
    const Band *header = layout_.band(BandKind::PageHeader);
    const Band *columns = layout_.band(BandKind::ColumnHeader);
    const Band *master = layout_.band(BandKind::MasterData);
    const Band *summary = layout_.band(BandKind::ReportSummary);
    const Band *footer = layout_.band(BandKind::PageFooter);

    PageState state;
    state.page.sizeMm = layout_.pageSizeMm;
    state.y = layout_.marginsMm.top();
    state.limit = layout_.pageSizeMm.height() - layout_.marginsMm.bottom() - (footer ? footer->heightMm : 0);
    for (const Band *top : {header, columns}) {
        if (top) {
            placeBand(state, *top, state.y, 0);
            state.y += top->heightMm;
        }
    }
    const int rows = master ? masterRowCount() : 0;
    while (nextRow_ < rows && fits(state, *master)) {
        placeBand(state, *master, state.y, nextRow_++);
        state.y += master->heightMm;
        ++state.bandsPlaced;
    }
    if (nextRow_ >= rows && (!summary || fits(state, *summary))) {
        if (summary)
            placeBand(state, *summary, state.y, qMax(0, rows - 1));
        finished_ = true;
    }
    if (footer)
        placeBand(state, *footer, state.limit, 0);
    return state.page;
}

QList<ReportPage> ReportBuilder::buildAll()
{
    QList<ReportPage> pages;
    while (!atEnd())
        pages.append(buildNextPage());
    return pages;
}

} // namespace report
