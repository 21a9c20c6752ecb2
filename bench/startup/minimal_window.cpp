// The baseline of the start-up benchmark: the least a Qt program against the same database
// does before its window shows: one connection, one query, one window.
#include "fb/Database.h"
#include "fb/Query.h"
#include "fb/Transaction.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    fb::Database db;
    db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    db.setUserName(QString::fromLocal8Bit(argv[2]));
    db.setPassword(QString::fromLocal8Bit(argv[3]));
    fb::Transaction tr(db, fb::TransactionParams::fromKeywords({"read", "nowait", "rec_version", "read_committed"}));
    fb::Query q(db, tr);
    q.setSql("select * from employees where nama = :nama");
    q.setParam("nama", "admin");
    q.execute();
    db.close();

    QMainWindow window;
    window.setWindowTitle("Minimal baseline");
    window.setCentralWidget(new QLabel(QString("%1 row").arg(q.rowCount())));
    window.showMaximized();
    return app.exec();
}
