#include "report/qt/ReportStamp.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QDateTime>
#include <QString>

namespace qntcalc {

std::string Sha256Hex(const std::string& bytes) {
    return QCryptographicHash::hash(
               QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
               QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string ReportTimeNow() {
    return QDateTime::currentDateTime()
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        .toStdString();
}

} // namespace qntcalc
