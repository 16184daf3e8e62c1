// FormBody: reads the two kinds of request body the window sends, a
// url-encoded form and a multipart form carrying one file, into the same
// FormRequest. Both readers are bounded (fields, field size, file size) and
// never read outside the body; they refuse rather than guess.
//
// Field names and values stay bytes here; FormRequest::Text decodes a value
// from the code page, as the window encoded it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <utility>

namespace qm::server {

struct FormRequest {
  QList<std::pair<QByteArray, QByteArray>> fields;  // name and value, in the order sent
  bool hasFile = false;                             // a part named "file" came
  QByteArray file;                                  // its bytes, unchanged

  // The value of the field named name, or nullptr when there is none.
  const QByteArray* Find(QByteArrayView name) const;
  // The value decoded from the code page; empty when the field is missing.
  QString Text(QByteArrayView name) const;
};

enum class FormParse {
  kOk,
  kMalformed,      // not a form of the expected kind, or a field named twice
  kTooManyFields,  // more than kMaxFormFields fields
  kFieldTooLarge,  // a field other than the file over kMaxFieldBytes
  kFileTooLarge,   // the file over kMaxFileBytes
};

// Reads "name=value&..." with "+" for a space and %XX for any byte. A "%"
// without two hexadecimal digits stays as it is. On kOk, out holds the fields.
FormParse ParseUrlEncoded(QByteArrayView body, FormRequest& out);

// Reads a multipart/form-data body whose boundary contentType names. A part
// named "file" is the file; every other part is a field. On kOk, out holds them.
FormParse ParseMultipart(QByteArrayView contentType, QByteArrayView body, FormRequest& out);

// True when contentType names a multipart form (case does not matter).
bool IsMultipartType(QByteArrayView contentType);

}  // namespace qm::server
