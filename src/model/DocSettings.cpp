// CDocSettings: reading, writing and initial values of the per-document settings block.
#include "model/DocSettings.h"

#include <algorithm>
#include <climits>

#include "platform/Decimal.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "res/Strings.h"

namespace qm {

namespace {

// Which mark a key raises when it is read; a group is written only when its mark is set.
enum class Group { kNone, kFiles, kFrames, kOption };

struct TextKey {
  QStringView key;
  QString CDocSettings::*field;
  Group group;
};

struct NumberKey {
  QStringView key;
  int CDocSettings::*field;
  Group group;
};

constexpr TextKey kTextKeys[] = {
    {u"Header", &CDocSettings::header, Group::kNone},
    {u"Footer", &CDocSettings::footer, Group::kNone},
    {u"NewLinkDir", &CDocSettings::newLinkDir, Group::kNone},
    {u"HtmlDir", &CDocSettings::htmlDir, Group::kFiles},
    {u"HtmlIndexFile", &CDocSettings::htmlIndexFile, Group::kFiles},
    {u"HtmlTreeFile", &CDocSettings::htmlTreeFile, Group::kFrames},
    {u"HtmlFrameFile", &CDocSettings::htmlFrameFile, Group::kFrames},
    {u"HtmlWidthStr", &CDocSettings::htmlWidthStr, Group::kFrames},
    {u"HtmlOptionBefore", &CDocSettings::htmlOptionBefore, Group::kOption},
    {u"HtmlOptionNext", &CDocSettings::htmlOptionNext, Group::kOption},
    {u"HtmlHomeStr", &CDocSettings::htmlHomeStr, Group::kOption},
    {u"HtmlHeadFile", &CDocSettings::htmlHeadFile, Group::kOption},
    {u"HtmlHeadFile2", &CDocSettings::htmlHeadFile2, Group::kOption},
    {u"HtmlInsFileUp", &CDocSettings::htmlInsFileUp, Group::kOption},
    {u"HtmlInsFileUp2", &CDocSettings::htmlInsFileUp2, Group::kOption},
    {u"HtmlInsFileBottom", &CDocSettings::htmlInsFileBottom, Group::kOption},
    {u"HtmlInsFileBottom2", &CDocSettings::htmlInsFileBottom2, Group::kOption},
    {u"HtmlReturnName", &CDocSettings::htmlReturnName, Group::kOption},
    {u"HtmlReturnStr", &CDocSettings::htmlReturnStr, Group::kOption},
    {u"HtmlReturnUrl", &CDocSettings::htmlReturnUrl, Group::kOption},
    {u"HtmlHeadImage", &CDocSettings::htmlHeadImage, Group::kOption},
    {u"HtmlCss", &CDocSettings::htmlCss, Group::kOption},
    {u"HtmlCss2", &CDocSettings::htmlCss2, Group::kOption},
    {u"WritePassword", &CDocSettings::writePassword, Group::kNone},
    {u"SharePassword", &CDocSettings::sharePassword, Group::kNone},
    {u"Author", &CDocSettings::author, Group::kNone},
    {u"AuthorCorp", &CDocSettings::authorCorp, Group::kNone},
    {u"DocInfoMemo", &CDocSettings::docInfoMemo, Group::kNone},
    {u"AuthorUrl", &CDocSettings::authorUrl, Group::kNone},
    {u"AuthorEmail", &CDocSettings::authorEmail, Group::kNone},
    {u"ShareSokin", &CDocSettings::shareSokin, Group::kNone},
    {u"RtfFileName", &CDocSettings::rtfFileName, Group::kNone},
    {u"NetFileID", &CDocSettings::netFileId, Group::kNone},
    {u"Path", &CDocSettings::path, Group::kNone},
};

constexpr NumberKey kNumberKeys[] = {
    {u"HeaderLine", &CDocSettings::headerLine, Group::kNone},
    {u"FooterLine", &CDocSettings::footerLine, Group::kNone},
    {u"AutoTitle", &CDocSettings::autoTitle, Group::kNone},
    {u"FirstLine", &CDocSettings::firstLine, Group::kNone},
    {u"FirstCursor", &CDocSettings::firstCursor, Group::kNone},
    {u"TreeView", &CDocSettings::treeView, Group::kNone},
    {u"HtmlSelectTree", &CDocSettings::htmlSelectTree, Group::kFiles},
    {u"HtmlShoStr", &CDocSettings::htmlShoStr, Group::kFiles},
    {u"HtmlXMargin", &CDocSettings::htmlXMargin, Group::kFrames},
    {u"HtmlJavaScript", &CDocSettings::htmlJavaScript, Group::kOption},
    {u"TemplateAuto", &CDocSettings::templateAuto, Group::kNone},
};

bool IsSpace(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

// A digit read from the file is the character's code minus '0'. Writing it back as that
// one character (rather than as a decimal number) keeps every digit in its position on
// the next read, even when the file held something other than a digit there. Values no
// character stands for can only be set by code; they are written as '1' (on).
QChar DigitChar(int value) {
  if (value < -int(u'0') || value > 0xFFFF - int(u'0')) return u'1';
  return QChar(static_cast<char16_t>(u'0' + value));
}

int DigitValue(QChar c) { return int(c.unicode()) - int(u'0'); }

void AppendLine(QString& out, QStringView key, const QString& value, QStringView end) {
  out += key;
  out += u'=';
  out += value;
  out += end;
}

void AppendLine(QString& out, QStringView key, int value, QStringView end) {
  AppendLine(out, key, QString::number(value), end);
}

void AppendIfSet(QString& out, QStringView key, const QString& value, QStringView end) {
  if (!value.isEmpty()) AppendLine(out, key, value, end);
}

constexpr QStringView kCrLf = u"\r\n";
constexpr QStringView kLf = u"\n";

// A TemplateFile value: "first",second. The opening quotation mark is optional on
// reading, and a value whose only quote-comma is its first two characters has an empty
// first text.
bool ParseTemplateFile(const QString& value, QPair<QString, QString>& entry) {
  static const QString kSeparator = QStringLiteral("\",");
  if (value.size() <= 2) return false;
  const qsizetype open = value.startsWith(u'"') ? 1 : 0;
  qsizetype separator = value.indexOf(kSeparator, open);
  if (separator < 0) separator = value.indexOf(kSeparator);
  if (separator < 0) return false;
  entry.first = value.mid(open, std::max<qsizetype>(0, separator - open));
  entry.second = value.mid(separator + kSeparator.size());
  return true;
}

void TakeBodyAttribute(HtmlBodyAttributes& body, QStringView name, QStringView value) {
  const auto is = [name](QStringView candidate) {
    return name.compare(candidate, Qt::CaseInsensitive) == 0;
  };
  // Colours are kept without the "#" the tag puts in front of them.
  const auto colour = [value] {
    return (value.startsWith(u'#') ? value.sliced(1) : value).toString();
  };
  if (is(u"BACKGROUND")) {
    body.backgroundImage = value.toString();
  } else if (is(u"BGPROPERTIES")) {
    body.fixedBackground = value.compare(u"FIXED", Qt::CaseInsensitive) == 0;
  } else if (is(u"BGCOLOR")) {
    body.backgroundColor = colour();
  } else if (is(u"TEXT")) {
    body.textColor = colour();
  } else if (is(u"LINK")) {
    body.linkColor = colour();
  } else if (is(u"VLINK")) {
    body.visitedColor = colour();
  } else if (is(u"ALINK")) {
    body.activeColor = colour();
  }
}

}  // namespace

QString HtmlBodyAttributes::ToTag() const {
  QString tag = QStringLiteral("<BODY");
  if (!backgroundImage.isEmpty()) {
    tag += u" BACKGROUND=\"";
    tag += backgroundImage;
    tag += u'"';
  }
  if (fixedBackground) tag += u" BGPROPERTIES=FIXED";
  const auto appendColour = [&tag](QStringView name, const QString& colour) {
    if (colour.isEmpty()) return;
    tag += u' ';
    tag += name;
    tag += u"=\"#";
    tag += colour;
    tag += u'"';
  };
  appendColour(u"BGCOLOR", backgroundColor);
  appendColour(u"TEXT", textColor);
  appendColour(u"LINK", linkColor);
  appendColour(u"VLINK", visitedColor);
  appendColour(u"ALINK", activeColor);
  tag += u">\r\n";
  return tag;
}

// The tag is the whole record: an attribute it lacks is empty afterwards (not the initial
// white background), so a colour cleared by the user stays cleared after saving and
// loading. Attributes are tokenised rather than searched for, so "LINK" is never found
// inside "VLINK"; a tag cut short ends where the text ends.
void HtmlBodyAttributes::FromTag(QStringView tag) {
  *this = HtmlBodyAttributes{};
  backgroundColor.clear();
  set = true;

  const qsizetype n = tag.size();
  qsizetype i = 0;
  const auto skipSpace = [&] {
    while (i < n && IsSpace(tag[i])) ++i;
  };
  skipSpace();
  if (i < n && tag[i] == u'<') {
    ++i;
    while (i < n && !IsSpace(tag[i]) && tag[i] != u'>') ++i;
  }
  for (;;) {
    skipSpace();
    if (i >= n || tag[i] == u'>') break;
    const qsizetype nameStart = i;
    while (i < n && !IsSpace(tag[i]) && tag[i] != u'=' && tag[i] != u'>') ++i;
    const QStringView name = tag.sliced(nameStart, i - nameStart);
    skipSpace();
    QStringView value;
    if (i < n && tag[i] == u'=') {
      ++i;
      skipSpace();
      if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
        const QChar quote = tag[i++];
        const qsizetype start = i;
        while (i < n && tag[i] != quote) ++i;
        value = tag.sliced(start, i - start);
        if (i < n) ++i;
      } else {
        const qsizetype start = i;
        while (i < n && !IsSpace(tag[i]) && tag[i] != u'>') ++i;
        value = tag.sliced(start, i - start);
      }
    }
    TakeBodyAttribute(*this, name, value);
  }
}

// Every initial value read from an empty store is the store's default, so a fresh block
// and a block reset against an empty store can never differ.
CDocSettings::CDocSettings() { Reset(MemorySettingsStore()); }

void CDocSettings::Reset(const SettingsStore& settings) {
  header.clear();
  footer.clear();
  headerLine = 1;
  footerLine = 1;
  autoTitle = 0;
  firstLine = 0;
  firstCursor = 0;
  treeView = Read(settings, settings::kTree);
  newLinkDir.clear();

  htmlDir.clear();
  htmlIndexFile = Read(settings, settings::kHtmlIndexFile);
  htmlSelectTree = Read(settings, settings::kHtmlSelectTree);
  htmlShoStr = 0;
  htmlTreeFile = Read(settings, settings::kHtmlTreeFile);
  htmlFrameFile = Read(settings, settings::kHtmlFrameFile);
  htmlWidthStr = Read(settings, settings::kHtmlFramWidth);
  htmlXMargin = Read(settings, settings::kHtmlXMargin);
  htmlOption[kFullPath] = Read(settings, settings::kHtmlFullPath);
  htmlOption[kNext] = Read(settings, settings::kHtmlNext);
  htmlOption[kCenter] = Read(settings, settings::kHtmlCenter);
  htmlOption[kMargin] = Read(settings, settings::kHtmlMargin);
  htmlOption[kNoBr] = Read(settings, settings::kHtmlNoBr);
  htmlOption[kLinkFile] = Read(settings, settings::kHtmlLinkFile);
  htmlOption[kSeventh] = 0;
  htmlOption[kNextBottom] = Read(settings, settings::kHtmlNextBottom);
  htmlOption[kWiki] = Read(settings, settings::kHtmlWiki);
  htmlOption[kAutoLink] = Read(settings, settings::kHtmlAutoLink);
  htmlOption[kImages] = Read(settings, settings::kHtmlImg);
  htmlOptionBefore = Read(settings, settings::kHtmlBeforeImage);
  htmlOptionNext = Read(settings, settings::kHtmlNextImage);
  htmlHomeStr = res::kDefaultHtmlHomeStr.toString();
  htmlHeadFile.clear();
  htmlHeadFile2.clear();
  htmlInsFileUp.clear();
  htmlInsFileUp2.clear();
  htmlInsFileBottom.clear();
  htmlInsFileBottom2.clear();
  htmlReturnName.clear();
  htmlReturnStr = res::kDefaultHtmlReturnStr.toString();
  htmlReturnUrl.clear();
  htmlHeadImage.clear();
  htmlCss.clear();
  htmlCss2.clear();
  htmlJavaScript = 1;
  htmlBody = HtmlBodyAttributes{};
  htmlBodyTree = HtmlBodyAttributes{};

  templateAuto = 0;
  templateFiles.clear();

  writePassword.clear();
  sharePassword.clear();
  author.clear();
  authorCorp.clear();
  docInfoMemo.clear();
  authorUrl.clear();
  authorEmail.clear();
  shareSokin.clear();
  rtfFileName.clear();
  netFileId.clear();
  netOption = {0, 0};
  path.clear();

  htmlFilesSet = false;
  htmlFramesSet = false;
  htmlOptionSet = false;
}

bool CDocSettings::ReadLine(QStringView key, const QString& value) {
  // Marking the group on any of its keys keeps a key read without its group's lead key
  // from being dropped on the next save.
  const auto mark = [this](Group group) {
    switch (group) {
      case Group::kFiles:
        htmlFilesSet = true;
        break;
      case Group::kFrames:
        htmlFramesSet = true;
        break;
      case Group::kOption:
        htmlOptionSet = true;
        break;
      case Group::kNone:
        break;
    }
  };

  if (key.startsWith(u"Category")) return false;

  for (const TextKey& entry : kTextKeys) {
    if (key == entry.key) {
      this->*entry.field = value;
      mark(entry.group);
      return true;
    }
  }
  for (const NumberKey& entry : kNumberKeys) {
    if (key == entry.key) {
      this->*entry.field = ReadDecimal(value);
      mark(entry.group);
      return true;
    }
  }

  if (key == u"HtmlOption") {
    mark(Group::kOption);
    // A short value is not trusted at all; a longer one sets only the digits it holds.
    if (value.size() >= 6) {
      const qsizetype count = std::min<qsizetype>(value.size(), kHtmlOptionCount);
      for (qsizetype i = 0; i < count; ++i) htmlOption[i] = DigitValue(value[i]);
    }
    return true;
  }
  if (key == u"NetOption") {
    if (value.size() >= 2) {
      netOption[0] = DigitValue(value[0]);
      netOption[1] = DigitValue(value[1]);
    }
    return true;
  }
  if (key == u"HtmlBody") {
    htmlBody.FromTag(value);
    return true;
  }
  if (key == u"HtmlBodyTree") {
    htmlBodyTree.FromTag(value);
    return true;
  }
  if (key.startsWith(u"TemplateFile")) {
    QPair<QString, QString> entry;
    if (ParseTemplateFile(value, entry)) templateFiles.append(entry);
    return true;
  }
  return false;
}

void CDocSettings::Write(QString& out) const {
  AppendLine(out, u"Header", header, kCrLf);
  AppendLine(out, u"Footer", footer, kCrLf);
  AppendLine(out, u"HeaderLine", headerLine, kCrLf);
  AppendLine(out, u"FooterLine", footerLine, kCrLf);
  AppendLine(out, u"AutoTitle", autoTitle, kCrLf);
  AppendLine(out, u"FirstLine", firstLine, kCrLf);
  AppendLine(out, u"FirstCursor", firstCursor, kCrLf);
  AppendLine(out, u"TreeView", treeView, kCrLf);
  AppendIfSet(out, u"NewLinkDir", newLinkDir, kCrLf);

  if (htmlFilesSet || htmlFramesSet) {
    AppendLine(out, u"HtmlDir", htmlDir, kCrLf);
    AppendLine(out, u"HtmlIndexFile", htmlIndexFile, kCrLf);
    AppendLine(out, u"HtmlSelectTree", htmlSelectTree, kCrLf);
    AppendLine(out, u"HtmlShoStr", htmlShoStr, kCrLf);
  }
  if (htmlFramesSet) {
    AppendLine(out, u"HtmlTreeFile", htmlTreeFile, kCrLf);
    AppendLine(out, u"HtmlFrameFile", htmlFrameFile, kCrLf);
    AppendLine(out, u"HtmlWidthStr", htmlWidthStr, kCrLf);
    AppendLine(out, u"HtmlXMargin", htmlXMargin, kCrLf);
  }
  if (htmlOptionSet) {
    QString digits;
    for (int digit : htmlOption) digits += DigitChar(digit);
    AppendLine(out, u"HtmlOption", digits, kCrLf);
    AppendIfSet(out, u"HtmlOptionBefore", htmlOptionBefore, kCrLf);
    AppendIfSet(out, u"HtmlOptionNext", htmlOptionNext, kCrLf);
    AppendIfSet(out, u"HtmlHomeStr", htmlHomeStr, kCrLf);
    AppendIfSet(out, u"HtmlHeadFile", htmlHeadFile, kCrLf);
    AppendIfSet(out, u"HtmlHeadFile2", htmlHeadFile2, kCrLf);
    AppendIfSet(out, u"HtmlInsFileUp", htmlInsFileUp, kCrLf);
    AppendIfSet(out, u"HtmlInsFileUp2", htmlInsFileUp2, kCrLf);
    AppendIfSet(out, u"HtmlInsFileBottom", htmlInsFileBottom, kCrLf);
    AppendIfSet(out, u"HtmlInsFileBottom2", htmlInsFileBottom2, kCrLf);
    AppendIfSet(out, u"HtmlReturnName", htmlReturnName, kCrLf);
    AppendIfSet(out, u"HtmlReturnStr", htmlReturnStr, kCrLf);
    AppendIfSet(out, u"HtmlReturnUrl", htmlReturnUrl, kCrLf);
    AppendIfSet(out, u"HtmlHeadImage", htmlHeadImage, kCrLf);
    AppendIfSet(out, u"HtmlCss", htmlCss, kCrLf);
    AppendIfSet(out, u"HtmlCss2", htmlCss2, kCrLf);
    AppendLine(out, u"HtmlJavaScript", htmlJavaScript, kCrLf);
  }

  // The tag ends in its own line end, so these lines end twice.
  if (htmlBody.set) AppendLine(out, u"HtmlBody", htmlBody.ToTag(), kCrLf);
  if (htmlBodyTree.set) AppendLine(out, u"HtmlBodyTree", htmlBodyTree.ToTag(), kCrLf);
  if (templateAuto != 0) AppendLine(out, u"TemplateAuto", templateAuto, kCrLf);
  for (qsizetype i = 0; i < templateFiles.size(); ++i) {
    const auto& [first, second] = templateFiles[i];
    const QString value = QLatin1Char('"') + first + QLatin1String("\",") + second;
    AppendLine(out, QStringLiteral("TemplateFile%1").arg(i, 2, 10, QLatin1Char('0')), value, kLf);
  }

  AppendIfSet(out, u"WritePassword", writePassword, kCrLf);
  AppendIfSet(out, u"SharePassword", sharePassword, kCrLf);
  AppendIfSet(out, u"Author", author, kCrLf);
  AppendIfSet(out, u"AuthorCorp", authorCorp, kCrLf);
  AppendIfSet(out, u"DocInfoMemo", docInfoMemo, kCrLf);
  AppendIfSet(out, u"AuthorUrl", authorUrl, kCrLf);
  AppendIfSet(out, u"AuthorEmail", authorEmail, kCrLf);
  AppendIfSet(out, u"ShareSokin", shareSokin, kCrLf);
  AppendIfSet(out, u"RtfFileName", rtfFileName, kLf);
  if (!netFileId.isEmpty()) {
    AppendLine(out, u"NetFileID", netFileId, kLf);
    const QString digits = QString(DigitChar(netOption[0])) + DigitChar(netOption[1]);
    AppendLine(out, u"NetOption", digits, kLf);
  }
  AppendIfSet(out, u"Path", path, kLf);
}

}  // namespace qm
