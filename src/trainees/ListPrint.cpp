#include "trainees/ListPrint.h"

#include "platform/DataControl.h"
#include "platform/Recordset.h"
#include "shell/Module1.h"
#include "trainees/TraineeListReport.h"

using namespace Module1;

namespace ListPrint {

void HandOver(const DataControl &list) {
    if (ReportRecordset)
        ReportRecordset->Close();
    const QString query = list.RecordSource;
    const QVariantList values = list.RecordSourceValues;
    ReportRecordset = std::make_shared<Recordset>();
    // The start-up leaves the shared connection closed; the print is its first use.
    if (!DbConnection.IsOpen()) {
        if (DbConnection.ConnectionString.isEmpty())
            DbConnection.ConnectionString = ConnectionString;
        DbConnection.Open(QString(), QString(), -1);
    }
    ReportRecordset->Open(DbConnection.Database(), query, values);
    TraineeListReport report(*ReportRecordset);
    report.Show();
}

} // namespace ListPrint
