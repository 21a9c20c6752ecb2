#include "FeeFixture.h"

#include "Instances.h"
#include "dmlaporan.h"
#include "feerawatu.h"
#include "frxu.h"

#include "guard/Guard.h"
#include "messaging/TcpMessagingClient.h"

#include <QDate>
#include <stdexcept>

QString feeSalesSql()
{
    const QDate today = QDate::currentDate();
    QString sql = QStringLiteral("sql:");
    const auto sale = [&sql](const QDate &d, const QString &kode, const QString &fee) {
        sql += QStringLiteral("insert into jual (jual_kode, tanggal, tahun, bulan, fee_rawat) values (%1, '%2', %3, %4, %5);\n")
                   .arg(kode, d.toString(Qt::ISODate))
                   .arg(d.year())
                   .arg(d.month())
                   .arg(fee);
    };
    // Inserted out of date order: the statement orders them.
    sale({2024, 3, 10}, "'C1'", "1234567");
    sale({2024, 3, 2}, "'A1'", "1000");
    sale({2024, 3, 2}, "'A2'", "2500.50");
    sale({2024, 3, 2}, "null", "700");  // counted in no JML, yet its fee is summed
    sale({2024, 3, 5}, "'B1'", "null"); // a day whose fees are all null
    sale({2024, 4, 1}, "'D1'", "5");
    sale({2023, 3, 3}, "'E1'", "9");
    sale(today, "'T1'", "100");
    sale(today, "'T2'", "150");
    return sql + QStringLiteral("commit;\n");
}

FeeFixture::FeeFixture(const QStringList &extraSql)
    : shell(QStringList{feeSalesSql()} + extraSql)
{
    guard::setErrorSink([this](const QString &message) { errors << message; });
    if (!messaging.listen())
        throw std::runtime_error("the messaging test server cannot listen");
}

FeeFixture::~FeeFixture()
{
    deleteView();
    guard::setErrorSink({});
}

TForm1_feeRawat *FeeFixture::showView(quint16 messagingPort)
{
    deleteView();
    view = new TForm1_feeRawat;
    view->ctcp->setPort(messagingPort ? messagingPort : messaging.port());
    view->resize(800, 600);
    view->show();
    view->FormShow();
    return view;
}

void FeeFixture::deleteView()
{
    delete view;
    view = nullptr;
}
