// The account endpoint's XML replies.
#include "server/XmlReply.h"

#include "platform/CodePage.h"

namespace qm::server {

void XmlReply::Add(QStringView name, QStringView text) {
  Open(name);
  m_body += Escape(text);
  Close(name);
}

void XmlReply::Open(QStringView name) {
  m_body += u'<';
  m_body += name;
  m_body += u'>';
}

void XmlReply::Close(QStringView name) {
  m_body += u"</";
  m_body += name;
  m_body += u'>';
}

QByteArray XmlReply::ToBytes() const {
  CodePage codePage;
  return codePage.Encode(QStringLiteral("<qmp>") + m_body + QStringLiteral("</qmp>"));
}

QString XmlReply::Escape(QStringView text) {
  QString escaped;
  escaped.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\'':
        escaped += u"&apos;";
        break;
      case u'\t':
      case u'\n':
      case u'\r':
        escaped += c;
        break;
      default:
        escaped += c.unicode() < 0x20 ? QChar(0xFFFD) : c;
        break;
    }
  }
  return escaped;
}

QByteArray XmlErrorReply(int code, QStringView message) {
  XmlReply reply;
  reply.Add(u"error", QString::number(code));
  reply.Add(u"errormes", message);
  return reply.ToBytes();
}

}  // namespace qm::server
