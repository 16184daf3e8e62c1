// The form readers: url-encoded and multipart bodies, bounded.
#include "server/FormBody.h"

#include "platform/CodePage.h"
#include "server/ServiceLimits.h"

namespace qm::server {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

QByteArray PercentDecoded(QByteArrayView text) {
  QByteArray decoded;
  decoded.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += c;
    }
  }
  return decoded;
}

// Adds one field, refusing a second field of the same name: which of two
// values counts would otherwise depend on the reader.
FormParse AddField(FormRequest& out, QByteArray name, QByteArray value) {
  if (name.isEmpty() || out.Find(name) != nullptr) return FormParse::kMalformed;
  if (out.fields.size() >= kMaxFormFields) return FormParse::kTooManyFields;
  if (value.size() > kMaxFieldBytes) return FormParse::kFieldTooLarge;
  out.fields.append({std::move(name), std::move(value)});
  return FormParse::kOk;
}

bool StartsWithNoCase(QByteArrayView text, QByteArrayView prefix) {
  return text.size() >= prefix.size() &&
         text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

QByteArrayView Trimmed(QByteArrayView text) {
  while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t')) text = text.sliced(1);
  while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t')) text.chop(1);
  return text;
}

// The value of parameter `name` in a header value such as
// `form-data; name="mail"; filename="qmp.txt"`, unquoted; found is false when
// the parameter is missing or its quoted value is not closed.
QByteArray HeaderParameter(QByteArrayView header, QByteArrayView name, bool& found) {
  found = false;
  const qsizetype size = header.size();
  const auto isSpace = [&](qsizetype i) { return header[i] == ' ' || header[i] == '\t'; };
  qsizetype i = header.indexOf(';');
  if (i < 0) return {};
  while (i < size) {
    ++i;  // past the ";"
    const qsizetype nameStart = i;
    while (i < size && header[i] != '=' && header[i] != ';') ++i;
    const QByteArrayView parameterName = Trimmed(header.sliced(nameStart, i - nameStart));
    QByteArray value;
    if (i < size && header[i] == '=') {
      ++i;
      while (i < size && isSpace(i)) ++i;
      if (i < size && header[i] == '"') {
        const qsizetype close = header.indexOf('"', i + 1);
        if (close < 0) return {};
        value = header.sliced(i + 1, close - i - 1).toByteArray();
        i = close + 1;
        while (i < size && header[i] != ';') ++i;
      } else {
        const qsizetype valueStart = i;
        while (i < size && header[i] != ';') ++i;
        value = Trimmed(header.sliced(valueStart, i - valueStart)).toByteArray();
      }
    }
    if (parameterName.compare(name, Qt::CaseInsensitive) == 0) {
      found = true;
      return value;
    }
  }
  return {};
}

}  // namespace

const QByteArray* FormRequest::Find(QByteArrayView name) const {
  for (const auto& [fieldName, value] : fields) {
    if (fieldName == name) return &value;
  }
  return nullptr;
}

QString FormRequest::Text(QByteArrayView name) const {
  const QByteArray* value = Find(name);
  if (value == nullptr) return {};
  CodePage codePage;
  return codePage.Decode(*value);
}

FormParse ParseUrlEncoded(QByteArrayView body, FormRequest& out) {
  out = FormRequest();
  qsizetype start = 0;
  while (start <= body.size()) {
    qsizetype end = body.indexOf('&', start);
    if (end < 0) end = body.size();
    const QByteArrayView pair = body.sliced(start, end - start);
    if (!pair.isEmpty()) {
      const qsizetype equals = pair.indexOf('=');
      const QByteArrayView name = equals < 0 ? pair : pair.first(equals);
      const QByteArrayView value = equals < 0 ? QByteArrayView() : pair.sliced(equals + 1);
      // Undecoded bytes are never fewer than decoded ones, so a value far
      // over the bound is refused before it is copied.
      if (value.size() > 3 * kMaxFieldBytes) return FormParse::kFieldTooLarge;
      const FormParse added = AddField(out, PercentDecoded(name), PercentDecoded(value));
      if (added != FormParse::kOk) return added;
    }
    start = end + 1;
  }
  return FormParse::kOk;
}

bool IsMultipartType(QByteArrayView contentType) {
  return StartsWithNoCase(Trimmed(contentType), "multipart/form-data");
}

FormParse ParseMultipart(QByteArrayView contentType, QByteArrayView body, FormRequest& out) {
  out = FormRequest();
  if (!IsMultipartType(contentType)) return FormParse::kMalformed;
  bool found = false;
  const QByteArray boundary = HeaderParameter(contentType, "boundary", found);
  // RFC 2046 allows 1 to 70 characters.
  if (!found || boundary.isEmpty() || boundary.size() > 70) return FormParse::kMalformed;
  const QByteArray delimiter = "--" + boundary;
  const QByteArray nextDelimiter = "\r\n" + delimiter;

  // The first delimiter opens the body or follows a preamble line.
  qsizetype at = 0;
  if (!body.startsWith(delimiter)) {
    at = body.indexOf(nextDelimiter);
    if (at < 0) return FormParse::kMalformed;
    at += 2;
  }
  at += delimiter.size();
  constexpr qsizetype kMaxPartHeaderBytes = 1024;
  while (true) {
    const QByteArrayView rest = body.sliced(at);
    if (rest.startsWith("--")) return FormParse::kOk;  // the closing delimiter
    if (!rest.startsWith("\r\n")) return FormParse::kMalformed;
    const qsizetype headersStart = at + 2;
    const qsizetype headersEnd = body.indexOf("\r\n\r\n", headersStart);
    if (headersEnd < 0 || headersEnd - headersStart > kMaxPartHeaderBytes) {
      return FormParse::kMalformed;
    }
    const QByteArrayView headers = body.sliced(headersStart, headersEnd - headersStart);
    QByteArray name;
    bool named = false;
    qsizetype lineStart = 0;
    while (lineStart <= headers.size()) {
      qsizetype lineEnd = headers.indexOf("\r\n", lineStart);
      if (lineEnd < 0) lineEnd = headers.size();
      const QByteArrayView line = headers.sliced(lineStart, lineEnd - lineStart);
      if (StartsWithNoCase(line, "content-disposition:")) {
        const QByteArrayView value = Trimmed(line.sliced(20));
        if (!StartsWithNoCase(value, "form-data")) return FormParse::kMalformed;
        name = HeaderParameter(value, "name", named);
      }
      lineStart = lineEnd + 2;
    }
    if (!named || name.isEmpty()) return FormParse::kMalformed;

    const qsizetype contentStart = headersEnd + 4;
    // The delimiter ends a part only when a line end or the closing "--"
    // follows it, so a file may hold the boundary text inside a line.
    qsizetype contentEnd = body.indexOf(nextDelimiter, contentStart);
    while (contentEnd >= 0) {
      const QByteArrayView after = body.sliced(contentEnd + nextDelimiter.size());
      if (after.startsWith("\r\n") || after.startsWith("--")) break;
      contentEnd = body.indexOf(nextDelimiter, contentEnd + 1);
    }
    if (contentEnd < 0) return FormParse::kMalformed;
    const QByteArrayView content = body.sliced(contentStart, contentEnd - contentStart);
    if (name == "file") {
      if (out.hasFile) return FormParse::kMalformed;
      if (content.size() > kMaxFileBytes) return FormParse::kFileTooLarge;
      out.hasFile = true;
      out.file = content.toByteArray();
    } else {
      if (content.size() > kMaxFieldBytes) return FormParse::kFieldTooLarge;
      const FormParse added = AddField(out, name, content.toByteArray());
      if (added != FormParse::kOk) return added;
    }
    at = contentEnd + nextDelimiter.size();
  }
}

}  // namespace qm::server
