#include "ShortDates.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace tiravel {

std::string shortDateToday()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string shortDate(std::int64_t secondsSinceEpoch)
{
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).date(), QLocale::ShortFormat)
        .toStdString();
}

std::string shortDateTime(std::int64_t secondsSinceEpoch)
{
    const QLocale locale;
    return locale.toString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch), locale.dateTimeFormat(QLocale::ShortFormat))
        .toStdString();
}

} // namespace tiravel
