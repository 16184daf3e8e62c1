// SettingsTable: every value the program keeps in the settings store, with
// its section, value name and default, so that no caller spells them inline.
//
// Each entry's fallback is what a read of an absent value yields. A few
// defaults depend on the situation (screen shape, client size, folders);
// their entries carry a placeholder that the caller always overrides through
// the Read overload that takes a fallback, and their comment says so.
// Values whose names follow a pattern ("File%d") have a pattern entry
// instead; the caller gives the number and the fallback.
//
// Entries are views, not QStrings: tables built during static initialisation
// elsewhere must not depend on the order globals are constructed in.
#pragma once

#include <QString>
#include <QStringView>

#include "res/Strings.h"

namespace qm {

class SettingsStore;

struct IntSetting {
  QStringView section;
  QStringView name;
  int fallback;
};

struct StringSetting {
  QStringView section;
  QStringView name;
  QStringView fallback;
};

// A family of values whose names are a printf pattern over one number.
struct IntSettingPattern {
  QStringView section;
  const char* pattern;
};

struct StringSettingPattern {
  QStringView section;
  const char* pattern;
};

int Read(const SettingsStore& store, const IntSetting& setting);
int Read(const SettingsStore& store, const IntSetting& setting, int fallback);
QString Read(const SettingsStore& store, const StringSetting& setting);
QString Read(const SettingsStore& store, const StringSetting& setting, const QString& fallback);
int Read(const SettingsStore& store, const IntSettingPattern& pattern, int number, int fallback);
QString Read(const SettingsStore& store, const StringSettingPattern& pattern, int number,
             const QString& fallback);

void Write(SettingsStore& store, const IntSetting& setting, int value);
void Write(SettingsStore& store, const StringSetting& setting, const QString& value);
void Write(SettingsStore& store, const IntSettingPattern& pattern, int number, int value);
void Write(SettingsStore& store, const StringSettingPattern& pattern, int number,
           const QString& value);
void Remove(SettingsStore& store, const StringSetting& setting);

namespace settings {

// ---- System ----

// Do not start a second instance; handed to the running one instead.
inline constexpr IntSetting kSingleInstance{u"System", u"SingleInstance", 0};
// Reading mode while the screen is taller than wide.
inline constexpr IntSetting kViewMode{u"System", u"ViewMode", 0};
// Soft-key menu mode; takes effect at the next start.
inline constexpr IntSetting kSoftKeyMenu{u"System", u"SoftKeyMenu", 0};
// Enter on a node that has a link file opens the link file.
inline constexpr IntSetting kLinkEnter{u"System", u"LinkEnter", 0};
// Number of recent files, 0 to 10 (0: no list); start-up overrides the default with 10 on a
// wide screen, else 5.
inline constexpr IntSetting kMru{u"System", u"MRU", 10};
// Reopen the last document at start.
inline constexpr IntSetting kReopenLastFile{u"System", u"bIniFile", 1};
// Full path of the last document opened or saved.
inline constexpr StringSetting kLastFile{u"System", u"IniFile", u""};
// Web account ID.
inline constexpr StringSetting kWebId{u"System", u"WebID", u""};
// Web account password in its stored form.
inline constexpr StringSetting kWebPassword{u"System", u"WP", u""};
// Path of the key definition file; the caller overrides the default with the program
// folder's key file.
inline constexpr StringSetting kKeyFile{u"System", u"Keycust", u""};
// Filter last used in the open dialogs: 1 outline, 2 text, 3 WZ memo, 4 all files.
inline constexpr IntSetting kFileOpenType{u"System", u"FileOpenType", 1};
// Initial folder of the open and save dialogs; callers override the default with the
// Documents folder.
inline constexpr StringSetting kInitDir{u"System", u"InitDir", u""};
// File pattern offered for link files.
inline constexpr StringSetting kLinkExt{u"System", u"LinkExt", u"*.qmp"};
// Ask before starting a link file.
inline constexpr IntSetting kLinkCheck{u"System", u"LinkCheck", 0};
// Link file browsing starts at the root.
inline constexpr IntSetting kLinkIniDir{u"System", u"LinkIniDir", 0};
// Warn when a document is saved as plain text.
inline constexpr IntSetting kWarnTextFile{u"System", u"bTextFile", 0};
// Use the platform's standard save dialog instead of the file browser.
inline constexpr IntSetting kPpcSaveDlg{u"System", u"PPCSaveDlg", 0};
// At start, select the node that was selected last time.
inline constexpr IntSetting kAutoFirst{u"System", u"AutoFirst", 1};
// Restore the caret position in the body text.
inline constexpr IntSetting kFirstCursor{u"System", u"FirstCursor", 1};
// Show the title-bar OK button, which closes the program; from the next start.
inline constexpr IntSetting kOkFrame{u"System", u"OkFrame", 0};
// Ask where to paste branches.
inline constexpr IntSetting kPasteDlg{u"System", u"PasteDlg", 1};
// Last chosen paste level.
inline constexpr IntSetting kPasteLevel{u"System", u"PasteLevel", 0};
// Last chosen way of pasting plain text.
inline constexpr IntSetting kTextPasteMode{u"System", u"TextPasteMode", 0};
// Show the split dialog.
inline constexpr IntSetting kSplitDlg{u"System", u"SplitDlg", 1};
// Split option: delete the first line.
inline constexpr IntSetting kSplitDell{u"System", u"SplitDell", 0};
// Split option: move the caret to the new node.
inline constexpr IntSetting kSplitMove{u"System", u"SplitMove", 0};
// Split option: add on the same level.
inline constexpr IntSetting kSplitSameLevel{u"System", u"SplitSameLevel", 0};
// Show the untitled text as the title of an added node.
inline constexpr IntSetting kAddIni{u"System", u"bAddIni", 0};
// Add nodes without asking for a title.
inline constexpr IntSetting kAddNoTitle{u"System", u"bAddNoTitle", 0};
// Double-tap on a node: 0 standard, 1 always edit, 2 always the link file.
inline constexpr IntSetting kDblClk{u"System", u"DblClk", 0};
// Double-tap on a node with children: 0 edit dialog, 1 expand or collapse only.
inline constexpr IntSetting kFolderDblClk{u"System", u"FolderDblClk", 1};
// Search: letters must match in case.
inline constexpr IntSetting kISearch{u"System", u"ISearch", 0};
// Search: the in-titles choice as the tree pane's Find last wrote it.
inline constexpr IntSetting kTitle{u"System", u"Title", 0};
// Search in titles; the caller overrides the default with the opposite of Title.
inline constexpr IntSetting kTitleSearch{u"System", u"TitleSearch", 1};
// Search in body texts.
inline constexpr IntSetting kTextAreaSearch{u"System", u"TextAreaSearch", 1};
// Search in link file names.
inline constexpr IntSetting kLinkNameSearch{u"System", u"LinkNameSearch", 0};
// Wrap lines in the body pane.
inline constexpr IntSetting kWrap{u"System", u"Wrap", 1};
// WZ memo import: the root is named after the file and one-dot headings are its children.
inline constexpr IntSetting kWzImportTopTree{u"System", u"WzImportTopTree", 1};
// WZ memo export: protect body lines that begin with a period.
inline constexpr IntSetting kWzExportPeriodChange{u"System", u"WzExportPeriodChange", 0};
// Text written before a category name.
inline constexpr StringSetting kCategoryStrBefore{u"System", u"CategoryStrBefore",
                                                  res::kDefaultCategoryBefore};
// Text written after a category name.
inline constexpr StringSetting kCategoryStrAfter{u"System", u"CategoryStrAfter",
                                                 res::kDefaultCategoryAfter};
// Largest file read, in MiB; a larger one is refused before it is read, so a
// wrong choice of file cannot exhaust memory. The desktop's addition.
inline constexpr IntSetting kMaxFileMegabytes{u"System", u"MaxFileMB", 1024};

// ---- Web (the web outline service; the desktop's addition) ----

// Where the account endpoint lives: scheme, host and port, no path.
inline constexpr StringSetting kWebAccountHost{u"Web", u"AccountHost", u"http://localhost:8642"};
// Where the file store lives: scheme, host and port, no path.
inline constexpr StringSetting kWebServiceHost{u"Web", u"ServiceHost", u"http://localhost:8642"};
// 1: keep the web password in the desktop's keyring when there is one.
inline constexpr IntSetting kWebUseKeyring{u"Web", u"UseKeyring", 1};
// 1 once the user was told that no keyring is there to keep the password.
inline constexpr IntSetting kWebKeyringMissingTold{u"Web", u"KeyringMissingTold", 0};

// ---- View ----

// Select the added node after adding.
inline constexpr IntSetting kAddMove{u"View", u"AddMove", 1};
// Indent of one tree level in the tree pane, pixels.
inline constexpr IntSetting kLevelWidth{u"View", u"LevelWidth", 0};
// Tab width of the body pane, characters.
inline constexpr IntSetting kTabNo{u"View", u"TabNo", 8};
// Left and right margin of the body pane, pixels.
inline constexpr IntSetting kEditSpace{u"View", u"EditSpace", 3};
// Switch the input method on automatically in the body pane.
inline constexpr IntSetting kIme{u"View", u"Ime", 0};
// Automatic indentation in the body pane.
inline constexpr IntSetting kAutoIndent{u"View", u"AutoIndent", 0};
// Panes shown: 0 both, 1 tree only, 2 text only.
inline constexpr IntSetting kTreeText{u"View", u"TreeText", 0};
// Split orientation: 0 left and right, 1 top and bottom, 2 automatic.
inline constexpr IntSetting kSplPos{u"View", u"SplPos", 2};
// Tree pane height, top-and-bottom layout, portrait; the caller overrides the default with half
// the client height.
inline constexpr IntSetting kRowPort{u"View", u"RowPort", 0};
// Tree pane height, top-and-bottom layout, landscape; the caller overrides the default with half
// the client height.
inline constexpr IntSetting kRowLand{u"View", u"RowLand", 0};
// Tree pane width, left-and-right layout, portrait; the caller overrides the default with half
// the client width.
inline constexpr IntSetting kColumPort{u"View", u"ColumPort", 0};
// Tree pane width, left-and-right layout, landscape; the caller overrides the default with half
// the client width.
inline constexpr IntSetting kColumLand{u"View", u"ColumLand", 0};
// The main window's place and size on the desktop as Qt saves them, in
// base64; empty until the window first closes. The desktop's addition.
inline constexpr StringSetting kWindowGeometry{u"View", u"WindowGeometry", u""};
// Older single split height; moved into RowPort/RowLand and reset to 0.
inline constexpr IntSetting kRow{u"View", u"Row", 0};
// Older single split width; moved into ColumPort/ColumLand and reset to 0.
inline constexpr IntSetting kColum{u"View", u"Colum", 0};
// Timestamp shown beside titles.
inline constexpr IntSetting kViewTime{u"View", u"Time", 0};
// Show chapter characters in the tree pane.
inline constexpr IntSetting kViewShoStr{u"View", u"ViewShoStr", 0};
// Default of a new document's tree view state.
inline constexpr IntSetting kTree{u"View", u"Tree", 0};

// ---- Edit ----

// Body text colour, 0x00BBGGRR.
inline constexpr IntSetting kTextColor{u"Edit", u"TextColor", 0x000000};
// Body background colour, 0x00BBGGRR.
inline constexpr IntSetting kBackColor{u"Edit", u"BackColor", 0xFFFFFF};

// ---- Font (tree pane) and EFont (body pane) ----

// Tree pane font face.
inline constexpr StringSetting kFontFaceName{u"Font", u"FaceName", u"ＭＳ Ｐゴシック"};
// Tree pane font size, points.
inline constexpr IntSetting kFontPoint{u"Font", u"Point", 10};
// Tree pane font weight (400 normal, 700 bold).
inline constexpr IntSetting kFontWeight{u"Font", u"Weight", 400};
// Tree pane font is italic.
inline constexpr IntSetting kFontItalic{u"Font", u"Italic", 0};
// Tree pane font is underlined.
inline constexpr IntSetting kFontUnderline{u"Font", u"Underline", 0};
// Tree pane font character set.
inline constexpr IntSetting kFontCharSet{u"Font", u"CharSet", 128};
// Body pane font face.
inline constexpr StringSetting kEFontFaceName{u"EFont", u"FaceName", u"ＭＳ Ｐゴシック"};
// Body pane font size, points.
inline constexpr IntSetting kEFontPoint{u"EFont", u"Point", 10};
// Body pane font weight (400 normal, 700 bold).
inline constexpr IntSetting kEFontWeight{u"EFont", u"Weight", 400};
// Body pane font is italic.
inline constexpr IntSetting kEFontItalic{u"EFont", u"Italic", 0};
// Body pane font is underlined.
inline constexpr IntSetting kEFontUnderline{u"EFont", u"Underline", 0};
// Body pane font character set.
inline constexpr IntSetting kEFontCharSet{u"EFont", u"CharSet", 128};

// ---- DateOpt (inserted dates and times) ----

// Separator between the parts of a date.
inline constexpr StringSetting kDateMark{u"DateOpt", u"Mark", u"/"};
// Show the year.
inline constexpr IntSetting kDateYear{u"DateOpt", u"Year", 0};
// Four-digit year.
inline constexpr IntSetting kDateYear4{u"DateOpt", u"Year4", 0};
// Show the day of the week.
inline constexpr IntSetting kDateWeek{u"DateOpt", u"Week", 1};
// Era-name year.
inline constexpr IntSetting kDateNengo{u"DateOpt", u"Nengo", 0};
// Year, month and day each followed by its kanji instead of the separator.
inline constexpr IntSetting kDateNengappi{u"DateOpt", u"Nengappi", 0};
// Add the time.
inline constexpr IntSetting kDateTime{u"DateOpt", u"Time", 0};

// ---- Recent File List ----

// One path per entry, counted from 1, as many as the recent-file count.
inline constexpr StringSettingPattern kRecentFile{u"Recent File List", "File%d"};

// ---- FileSelect (file browser) ----

// File browser sort column.
inline constexpr IntSetting kFileSelectSortItem{u"FileSelect", u"SortItem", 0};
// Sort direction of the file browser.
inline constexpr IntSetting kFileSelectSortMode{u"FileSelect", u"SortMode", 0};

// ---- NewLinkFile ----

// Proposal for a new text link file: write the title on the first line.
inline constexpr IntSetting kNewLinkFileTitle{u"NewLinkFile", u"Title", 1};
// Proposal for a new text link file: write the node's body text.
inline constexpr IntSetting kNewLinkFileBody{u"NewLinkFile", u"Body", 0};

// ---- Text (text output) ----

// Output form, in the order of the format dialog's list.
inline constexpr IntSetting kTextForm{u"Text", u"Form", 0};
// Indentation: 0 spaces, 1 tabs, 2 none.
inline constexpr IntSetting kTextIndent{u"Text", u"Indent", 0};
// Output the contents of each node's link file.
inline constexpr IntSetting kTextFileOut{u"Text", u"FileOut", 0};
// Output the body texts.
inline constexpr IntSetting kTextEditOut{u"Text", u"EditOut", 1};
// Wrap width, in bytes of the ANSI code page.
inline constexpr IntSetting kTextWidth{u"Text", u"Width", 80};
// A blank line after every node.
inline constexpr IntSetting kTextSpace{u"Text", u"Space", 0};
// Blank lines around first-level nodes.
inline constexpr IntSetting kTextTSpace{u"Text", u"TSpace", 0};
// Spaces per level when indenting with spaces.
inline constexpr IntSetting kTextSpaceNo{u"Text", u"SpaceNo", 2};
// Width of a tab when indenting with tabs.
inline constexpr IntSetting kTextTabNo{u"Text", u"TabNo", 8};
// Output only the branch of the selected node.
inline constexpr IntSetting kTextSelectOnly{u"Text", u"SelectOnly", 1};
// Separator between the numbers of a chapter number.
inline constexpr StringSetting kTextShowStr{u"Text", u"ShowStr", u"-"};

// ---- Mark (text output title prefixes) ----

// Prefix of a checked node's title.
inline constexpr StringSetting kMarkCheck{u"Mark", u"Check", u"○"};
// Prefix of a struck-through node's title.
inline constexpr StringSetting kMarkDel{u"Mark", u"Del", u"×"};
// Prefix of a node that is both checked and struck through.
inline constexpr StringSetting kMarkDelcheck{u"Mark", u"Delcheck", u""};
// Prefix of any other node.
inline constexpr StringSetting kMarkNormal{u"Mark", u"Normal", u""};

// ---- Html (defaults of a new document's HTML output settings) ----
// The file names and frame width are setting values, not words shown to the user.

// Left margin of the tree frame, pixels.
inline constexpr IntSetting kHtmlXMargin{u"Html", u"XMargin", 10};
// Output only the branch of the selected node.
inline constexpr IntSetting kHtmlSelectTree{u"Html", u"SelectTree", 1};
// HTML option: show the full path of each page.
inline constexpr IntSetting kHtmlFullPath{u"Html", u"FullPath", 1};
// HTML option: links to the previous and next page.
inline constexpr IntSetting kHtmlNext{u"Html", u"Next", 1};
// HTML option: previous and next links also at the bottom.
inline constexpr IntSetting kHtmlNextBottom{u"Html", u"NextBottom", 1};
// HTML option: page margins.
inline constexpr IntSetting kHtmlMargin{u"Html", u"Margin", 1};
// HTML option: centre the headings.
inline constexpr IntSetting kHtmlCenter{u"Html", u"Center", 0};
// HTML option: no line breaks added.
inline constexpr IntSetting kHtmlNoBr{u"Html", u"NoBR", 0};
// HTML option: output link files.
inline constexpr IntSetting kHtmlLinkFile{u"Html", u"LinkFile", 0};
// HTML option: turn addresses into links.
inline constexpr IntSetting kHtmlAutoLink{u"Html", u"HtmlAutoLink", 1};
// HTML option: show images.
inline constexpr IntSetting kHtmlImg{u"Html", u"HtmlImg", 1};
// HTML option: wiki-style markup.
inline constexpr IntSetting kHtmlWiki{u"Html", u"HtmlWiki", 0};
// File name of the tree frame.
inline constexpr StringSetting kHtmlTreeFile{u"Html", u"TreeFile", u"menu.html"};
// File name of the frame set.
inline constexpr StringSetting kHtmlFrameFile{u"Html", u"FrameFile", u"frame.html"};
// File name of the first body page.
inline constexpr StringSetting kHtmlIndexFile{u"Html", u"IndexFile", u"body.html"};
// Width of the tree frame.
inline constexpr StringSetting kHtmlFramWidth{u"Html", u"FramWidth", u"30%"};
// Image of the "next" link.
inline constexpr StringSetting kHtmlNextImage{u"Html", u"NextImage", u""};
// Image of the "previous" link.
inline constexpr StringSetting kHtmlBeforeImage{u"Html", u"BeforeImage", u""};

// ---- ShoStr (default chapter heading styles of new documents) ----

// Number of styles in use.
inline constexpr IntSetting kChapterStyleCount{u"ShoStr", u"MenuNo", 10};
// Per style, numbered from 0: text before the number.
inline constexpr StringSettingPattern kChapterPrefix{u"ShoStr", "Str1%02d"};
// Per style: text after the number.
inline constexpr StringSettingPattern kChapterSuffix{u"ShoStr", "Str2%02d"};
// Per style: kind of number.
inline constexpr IntSettingPattern kChapterKind{u"ShoStr", "Sho%02d"};
// Per style: the custom list of a custom kind.
inline constexpr StringSettingPattern kChapterCustom{u"ShoStr", "Custom%02d"};

// ---- ColorDlg ----

// Custom colours of the colour chooser, 0 to 15, as decimal text.
inline constexpr StringSettingPattern kCustomColour{u"ColorDlg", "Custom%d"};

// ---- Search ----

// The words last searched for, newest first, counted from 1.
inline constexpr StringSettingPattern kSearchWord{u"Search", "str%d"};

// Every single-valued entry above, for checks over the whole table. Add new entries here too.
inline constexpr const IntSetting* kAllIntSettings[] = {
    &kSingleInstance,
    &kViewMode,
    &kSoftKeyMenu,
    &kLinkEnter,
    &kMru,
    &kReopenLastFile,
    &kFileOpenType,
    &kLinkCheck,
    &kLinkIniDir,
    &kWarnTextFile,
    &kPpcSaveDlg,
    &kAutoFirst,
    &kFirstCursor,
    &kOkFrame,
    &kPasteDlg,
    &kPasteLevel,
    &kTextPasteMode,
    &kSplitDlg,
    &kSplitDell,
    &kSplitMove,
    &kSplitSameLevel,
    &kAddIni,
    &kAddNoTitle,
    &kDblClk,
    &kFolderDblClk,
    &kISearch,
    &kTitle,
    &kTitleSearch,
    &kTextAreaSearch,
    &kLinkNameSearch,
    &kWrap,
    &kWzImportTopTree,
    &kWzExportPeriodChange,
    &kMaxFileMegabytes,
    &kAddMove,
    &kLevelWidth,
    &kTabNo,
    &kEditSpace,
    &kIme,
    &kAutoIndent,
    &kTreeText,
    &kSplPos,
    &kRowPort,
    &kRowLand,
    &kColumPort,
    &kColumLand,
    &kRow,
    &kColum,
    &kViewTime,
    &kViewShoStr,
    &kTree,
    &kTextColor,
    &kBackColor,
    &kFontPoint,
    &kFontWeight,
    &kFontItalic,
    &kFontUnderline,
    &kFontCharSet,
    &kEFontPoint,
    &kEFontWeight,
    &kEFontItalic,
    &kEFontUnderline,
    &kEFontCharSet,
    &kDateYear,
    &kDateYear4,
    &kDateWeek,
    &kDateNengo,
    &kDateNengappi,
    &kDateTime,
    &kFileSelectSortItem,
    &kFileSelectSortMode,
    &kNewLinkFileTitle,
    &kNewLinkFileBody,
    &kTextForm,
    &kTextIndent,
    &kTextFileOut,
    &kTextEditOut,
    &kTextWidth,
    &kTextSpace,
    &kTextTSpace,
    &kTextSpaceNo,
    &kTextTabNo,
    &kTextSelectOnly,
    &kHtmlXMargin,
    &kHtmlSelectTree,
    &kHtmlFullPath,
    &kHtmlNext,
    &kHtmlNextBottom,
    &kHtmlMargin,
    &kHtmlCenter,
    &kHtmlNoBr,
    &kHtmlLinkFile,
    &kHtmlAutoLink,
    &kHtmlImg,
    &kHtmlWiki,
    &kChapterStyleCount,
    &kWebUseKeyring,
    &kWebKeyringMissingTold,
};
inline constexpr const StringSetting* kAllStringSettings[] = {
    &kLastFile,       &kWebId,           &kWebPassword,       &kKeyFile,
    &kInitDir,        &kLinkExt,         &kCategoryStrBefore, &kCategoryStrAfter,
    &kFontFaceName,   &kEFontFaceName,   &kDateMark,          &kTextShowStr,
    &kMarkCheck,      &kMarkDel,         &kMarkDelcheck,      &kMarkNormal,
    &kHtmlTreeFile,   &kHtmlFrameFile,   &kHtmlIndexFile,     &kHtmlFramWidth,
    &kHtmlNextImage,  &kHtmlBeforeImage, &kWindowGeometry,    &kWebAccountHost,
    &kWebServiceHost,
};

}  // namespace settings
}  // namespace qm
