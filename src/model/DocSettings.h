// CDocSettings: the per-document options that travel in the settings
// section of an outline file (page header and footer, HTML output options,
// author information, web identity, templates).
//
// A plain value type with one public field per key. Reset() fills the
// initial values, some of them from the settings store (section "Html" and
// View/Tree). ReadLine() takes one "key=value" line of the file's settings
// section; Write() appends the block exactly as the file stores it, in its
// fixed order and with its fixed line ends. Keys beginning with "Category"
// or "ShoStr" belong to other owners and are not handled here.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <array>

namespace qm {

class SettingsStore;

// The attributes of a page's BODY tag.
struct HtmlBodyAttributes {
  bool set = false;
  QString backgroundImage;
  QString backgroundColor = QStringLiteral("FFFFFF");
  QString textColor;
  QString linkColor;
  QString visitedColor;
  QString activeColor;
  bool fixedBackground = false;

  // "<BODY ...>\r\n" as the file stores it.
  QString ToTag() const;
  // Takes the attributes from a BODY tag and raises `set`.
  void FromTag(QStringView tag);

  bool operator==(const HtmlBodyAttributes&) const = default;
};

class CDocSettings {
 public:
  // Indices into htmlOption, in the order the file stores the digits.
  enum HtmlOptionDigit {
    kFullPath = 0,
    kNext,
    kCenter,
    kMargin,
    kNoBr,
    kLinkFile,
    kSeventh,
    kNextBottom,
    kWiki,
    kAutoLink,
    kImages,
    kHtmlOptionCount
  };

  // Initial values without a settings store (the store's defaults).
  CDocSettings();
  explicit CDocSettings(const SettingsStore& settings) { Reset(settings); }

  // Back to the initial values, reading the defaults from the settings store.
  void Reset(const SettingsStore& settings);

  // Takes one line of the file's settings section. Returns true when the key
  // is one of this block's; unknown keys are ignored and return false.
  bool ReadLine(QStringView key, const QString& value);
  // Appends the block as the file stores it.
  void Write(QString& out) const;

  QString header;
  QString footer;
  int headerLine = 1;
  int footerLine = 1;
  int autoTitle = 0;
  int firstLine = 0;
  int firstCursor = 0;
  int treeView = 0;
  QString newLinkDir;

  QString htmlDir;
  QString htmlIndexFile;
  int htmlSelectTree = 1;
  int htmlShoStr = 0;
  QString htmlTreeFile;
  QString htmlFrameFile;
  QString htmlWidthStr;
  int htmlXMargin = 10;
  std::array<int, kHtmlOptionCount> htmlOption{};
  QString htmlOptionBefore;
  QString htmlOptionNext;
  QString htmlHomeStr;
  QString htmlHeadFile;
  QString htmlHeadFile2;
  QString htmlInsFileUp;
  QString htmlInsFileUp2;
  QString htmlInsFileBottom;
  QString htmlInsFileBottom2;
  QString htmlReturnName;
  QString htmlReturnStr;
  QString htmlReturnUrl;
  QString htmlHeadImage;
  QString htmlCss;
  QString htmlCss2;
  int htmlJavaScript = 1;
  HtmlBodyAttributes htmlBody;
  HtmlBodyAttributes htmlBodyTree;

  int templateAuto = 0;
  QList<QPair<QString, QString>> templateFiles;

  QString writePassword;
  QString sharePassword;
  QString author;
  QString authorCorp;
  QString docInfoMemo;
  QString authorUrl;
  QString authorEmail;
  QString shareSokin;
  QString rtfFileName;
  QString netFileId;
  std::array<int, 2> netOption{};
  QString path;

  // Whether each group of HTML keys was ever set; a group is written only
  // then. Reading any key of a group sets its mark, so nothing read is
  // dropped on the next save.
  bool htmlFilesSet = false;   // HtmlDir, HtmlIndexFile, HtmlSelectTree, HtmlShoStr
  bool htmlFramesSet = false;  // HtmlTreeFile, HtmlFrameFile, HtmlWidthStr, HtmlXMargin
  bool htmlOptionSet = false;  // HtmlOption and the keys written with it

  bool operator==(const CDocSettings&) const = default;
};

}  // namespace qm
