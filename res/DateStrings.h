// The texts of date insertion and the calendar picker, one named constant
// each: the weekday characters, the era names, the kanji that follow year,
// month and day, and the labels of the two dialogs.
//
// Kept apart from Strings.h so that the date feature's texts change without
// rebuilding everything. Used exactly as they stand; formats use Qt's %1
// placeholders.
#pragma once

#include <QStringView>

namespace qm::res {

// Day-of-week characters, Sunday first (index = day of the week, 0 Sunday).
// The calendar's header row shows them in this order as well.
inline constexpr QStringView kWeekdayCharacters[] = {u"日", u"月", u"火", u"水",
                                                     u"木", u"金", u"土"};

// What follows the year, the month and the day in the "X年X月X日" form.
inline constexpr QStringView kYearKanji = u"年";
inline constexpr QStringView kMonthKanji = u"月";
inline constexpr QStringView kDayKanji = u"日";

// Era names put in front of an era year.
inline constexpr QStringView kEraShowa = u"昭和";
inline constexpr QStringView kEraHeisei = u"平成";
inline constexpr QStringView kEraReiwa = u"令和";

// The calendar's heading: year, then month, without leading zeros.
inline constexpr QStringView kCalendarMonthHeading = u"%1年%2月";

// The calendar dialog. Its OK and cancel buttons say kButtonOk and
// kSearchCancel of Strings.h.
inline constexpr QStringView kCalendarDialogTitle = u"カレンダー";
inline constexpr QStringView kCalendarTodayButton = u"今日へ(&T)";
inline constexpr QStringView kCalendarFontFace = u"ＭＳ Ｐゴシック";
// The calendar's two month buttons, beside the heading.
inline constexpr QStringView kCalendarPreviousMonth = u"<";
inline constexpr QStringView kCalendarNextMonth = u">";

// The node edit dialog's button that puts a picked date before the title.
inline constexpr QStringView kNodeEditDateButton = u"日付(&A)...";

// The date insertion format dialog.
inline constexpr QStringView kDateFormatDialogTitle = u"日付挿入形式";
inline constexpr QStringView kDateFormatYear = u"年を付加(&Y)";
inline constexpr QStringView kDateFormatYear4 = u"&4桁";
inline constexpr QStringView kDateFormatWeek = u"曜日を付加(&W)";
inline constexpr QStringView kDateFormatEra = u"年号表記(&N)";
inline constexpr QStringView kDateFormatMarkLabel = u"年月日区切り記号(&M):";
inline constexpr QStringView kDateFormatKanji = u"X年X月X日の形式で挿入(&K)";
inline constexpr QStringView kDateFormatTime = u"[現在日時挿入]のときに時刻も挿入(&T)";

}  // namespace qm::res
