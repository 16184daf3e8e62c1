// XmlReply: the account endpoint's answer, a bare element tree (no
// declaration) in the code page. Texts are escaped, so a title holding
// & < > " ' reaches a reader that decodes references as it was stored.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace qm::server {

class XmlReply {
 public:
  XmlReply() = default;

  // Appends <name>text</name>, the text escaped.
  void Add(QStringView name, QStringView text);
  // Opens and closes an element around what is added in between.
  void Open(QStringView name);
  void Close(QStringView name);

  // The whole reply inside the root element <qmp>, as code page bytes.
  QByteArray ToBytes() const;

  // The five predefined entities for & < > " '; a control character XML
  // cannot carry (anything below U+0020 but tab, line feed and carriage
  // return) becomes U+FFFD rather than a reference no reader accepts.
  static QString Escape(QStringView text);

 private:
  QString m_body;
};

// <qmp><error>code</error><errormes>message</errormes></qmp> as bytes.
QByteArray XmlErrorReply(int code, QStringView message);

}  // namespace qm::server
