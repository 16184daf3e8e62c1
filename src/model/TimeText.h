// Time texts of the outline formats: 14-digit local times ("YYYYMMDDhhmmss")
// for creation and update times, 17-digit stamps with milliseconds, the
// short display form shown beside titles, and the stamp record itself.
//
// Times are 32-bit seconds since 1970 converted through the host's local
// time zone (TZ). Parsing accepts only dates the validity rules allow (year
// 1972-2036, real calendar days, minute and second up to 60); on rejection
// the output is left untouched and false is returned.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace qm {

// A timestamp with milliseconds; year 0 means not set.
struct Stamp {
  quint16 year = 0;
  quint16 month = 0;
  quint16 dayOfWeek = 0;  // 0 = Sunday
  quint16 day = 0;
  quint16 hour = 0;
  quint16 minute = 0;
  quint16 second = 0;
  quint16 milliseconds = 0;

  bool IsSet() const { return year != 0; }
  bool operator==(const Stamp&) const = default;
};

// "%04d%02d%02d%02d%02d%02d" of the local time.
QString FormatTime14(qint32 time);
// "%04d%02d%02d%02d%02d%02d%03d" of the stamp.
QString FormatStamp17(const Stamp& stamp);
// "%04d/%02d/%02d %02d:%02d" of the local time, as shown beside titles.
QString FormatDisplayTime(qint32 time);

// Reads the first 14 characters of text. REQUIRES: text.size() >= 14.
bool ParseTime14(QStringView text, qint32& time);
// Reads the first 17 characters of text; the day of week is computed.
// REQUIRES: text.size() >= 17.
bool ParseStamp17(QStringView text, Stamp& stamp);

// Appends FormatTime14 to out without a temporary string (writers use it
// for every node).
void AppendTime14(QString& out, qint32 time);

}  // namespace qm
