#include "platform/Ftp.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace zaq::plattform {

namespace {

void CurlEinmal() {
  static std::once_flag einmal;
  std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Lesen {
  const std::vector<std::uint8_t>* daten;
  std::size_t pos = 0;
};

std::size_t Schreibe(char* p, std::size_t groesse, std::size_t n, void* ziel) {
  auto* d = static_cast<std::vector<std::uint8_t>*>(ziel);
  d->insert(d->end(), reinterpret_cast<std::uint8_t*>(p), reinterpret_cast<std::uint8_t*>(p) + groesse * n);
  return groesse * n;
}

std::size_t Lies(char* p, std::size_t groesse, std::size_t n, void* quelle) {
  auto* l = static_cast<Lesen*>(quelle);
  const std::size_t rest = l->daten->size() - l->pos;
  const std::size_t k = std::min(rest, groesse * n);
  if (k > 0) std::memcpy(p, l->daten->data() + l->pos, k);
  l->pos += k;
  return k;
}

// A failure after which the connection cannot be trusted any more.
bool Verbindungsfehler(CURLcode c) {
  switch (c) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
      return true;
    default: return false;
  }
}

}  // namespace

bool LeseFtpServer(const std::string& adresse, FtpZugang& zugang) {
  std::string host = adresse;
  int port = 21;
  // "[::1]:2121" and "host:port"; a bare IPv6 address has more than one ":".
  const auto klammer = host.rfind(']');
  const auto doppelpunkt = host.rfind(':');
  if (doppelpunkt != std::string::npos && (klammer == std::string::npos || doppelpunkt > klammer) &&
      host.find(':') == doppelpunkt) {
    const std::string teil = host.substr(doppelpunkt + 1);
    if (teil.empty() || teil.size() > 5 || !std::all_of(teil.begin(), teil.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    port = std::stoi(teil);
    if (port < 1 || port > 65535) return false;
    host.resize(doppelpunkt);
  }
  zugang.host = host;
  zugang.port = port;
  return true;
}

struct FtpVerbindung::Curl {
  CURL* h = nullptr;
  ~Curl() {
    if (h) curl_easy_cleanup(h);
  }
};

void FtpVerbindung::BefehleFrei::operator()(curl_slist* liste) const { curl_slist_free_all(liste); }

FtpVerbindung::FtpVerbindung() : FCurl(std::make_unique<Curl>()) { CurlEinmal(); }

FtpVerbindung::~FtpVerbindung() = default;

std::string FtpVerbindung::Url(const std::string& name) const {
  std::string url = "ftp://" + (FZugang.host.find(':') != std::string::npos && FZugang.host.front() != '['
                                    ? "[" + FZugang.host + "]"
                                    : FZugang.host) +
                    ":" + std::to_string(FZugang.port) + "/%2F";
  if (!name.empty()) {
    char* teil = curl_easy_escape(FCurl->h, name.c_str(), static_cast<int>(name.size()));
    url += teil ? teil : "";
    curl_free(teil);
  }
  return url;
}

bool FtpVerbindung::Ausfuehren(const std::string& pfad, const std::vector<std::string>& befehle, bool ohneInhalt) {
  CURL* h = FCurl->h;
  // The connection stays in the handle's cache between requests.
  curl_easy_reset(h);
  curl_easy_setopt(h, CURLOPT_URL, Url(pfad).c_str());
  curl_easy_setopt(h, CURLOPT_USERNAME, FZugang.benutzer.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, FZugang.kennwort.c_str());
  curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
  curl_easy_setopt(h, CURLOPT_FTPPORT, FZugang.passiv ? nullptr : "-");
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, FZeitlimitMs);
  curl_easy_setopt(h, CURLOPT_ACCEPTTIMEOUT_MS, FZeitlimitMs);
  const long sekunden = std::max(1L, (FZeitlimitMs + 999) / 1000);
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, sekunden);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, sekunden);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_NOBODY, ohneInhalt ? 1L : 0L);
  // libcurl hands a size query's answer to the write function, which would
  // print it to stdout; nothing but a download keeps what comes in.
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, +[](char*, size_t groesse, size_t n, void*) { return groesse * n; });
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION,
                   +[](void* p, curl_off_t dlGesamt, curl_off_t dlJetzt, curl_off_t ulGesamt, curl_off_t ulJetzt) -> int {
                     auto* self = static_cast<FtpVerbindung*>(p);
                     if (!self->Fortschritt) return 0;
                     const bool hoch = ulGesamt > 0 || ulJetzt > 0;
                     return self->Fortschritt(hoch ? ulGesamt : dlGesamt, hoch ? ulJetzt : dlJetzt) ? 0 : 1;
                   });
  curl_slist* liste = nullptr;
  for (const auto& b : befehle) liste = curl_slist_append(liste, b.c_str());
  FBefehle.reset(liste);
  if (liste) curl_easy_setopt(h, CURLOPT_QUOTE, liste);
  return true;
}

bool FtpVerbindung::Verbinden(const FtpZugang& zugang, long zeitlimitMs) {
  Beenden();
  FZugang = zugang;
  FZeitlimitMs = zeitlimitMs;
  FCurl->h = curl_easy_init();
  if (!FCurl->h) {
    FFehler = "libcurl";
    return false;
  }
  Ausfuehren("", {}, true);
  const CURLcode c = curl_easy_perform(FCurl->h);
  FVerbunden = c == CURLE_OK;
  FFehler = FVerbunden ? "" : curl_easy_strerror(c);
  return FVerbunden;
}

std::int64_t FtpVerbindung::Groesse(const std::string& name) {
  if (!FCurl->h) return -1;
  Ausfuehren(name, {}, true);
  curl_easy_setopt(FCurl->h, CURLOPT_FILETIME, 0L);
  const CURLcode c = curl_easy_perform(FCurl->h);
  if (c != CURLE_OK) {
    FFehler = curl_easy_strerror(c);
    if (Verbindungsfehler(c)) FVerbunden = false;
    return -1;
  }
  curl_off_t groesse = -1;
  curl_easy_getinfo(FCurl->h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &groesse);
  return groesse;
}

bool FtpVerbindung::Herunterladen(const std::string& name, std::vector<std::uint8_t>& daten) {
  daten.clear();
  if (!FCurl->h) return false;
  Ausfuehren(name, {}, false);
  curl_easy_setopt(FCurl->h, CURLOPT_WRITEFUNCTION, &Schreibe);
  curl_easy_setopt(FCurl->h, CURLOPT_WRITEDATA, &daten);
  const CURLcode c = curl_easy_perform(FCurl->h);
  if (c != CURLE_OK) {
    FFehler = curl_easy_strerror(c);
    if (Verbindungsfehler(c)) FVerbunden = false;
    daten.clear();
    return false;
  }
  return true;
}

bool FtpVerbindung::Hochladen(const std::string& name, const std::vector<std::uint8_t>& daten) {
  if (!FCurl->h) return false;
  Ausfuehren(name, {}, false);
  Lesen quelle{&daten};
  curl_easy_setopt(FCurl->h, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(FCurl->h, CURLOPT_READFUNCTION, &Lies);
  curl_easy_setopt(FCurl->h, CURLOPT_READDATA, &quelle);
  curl_easy_setopt(FCurl->h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(daten.size()));
  const CURLcode c = curl_easy_perform(FCurl->h);
  if (c != CURLE_OK) {
    FFehler = curl_easy_strerror(c);
    if (Verbindungsfehler(c)) FVerbunden = false;
    return false;
  }
  return true;
}

bool FtpVerbindung::Loeschen(const std::string& name) {
  if (!FCurl->h) return false;
  Ausfuehren("", {"DELE /" + name}, true);
  const CURLcode c = curl_easy_perform(FCurl->h);
  if (c != CURLE_OK) {
    FFehler = curl_easy_strerror(c);
    if (Verbindungsfehler(c)) FVerbunden = false;
    return false;
  }
  return true;
}

bool FtpVerbindung::Umbenennen(const std::string& von, const std::string& nach) {
  if (!FCurl->h) return false;
  Ausfuehren("", {"RNFR /" + von, "RNTO /" + nach}, true);
  const CURLcode c = curl_easy_perform(FCurl->h);
  if (c != CURLE_OK) {
    FFehler = curl_easy_strerror(c);
    if (Verbindungsfehler(c)) FVerbunden = false;
    return false;
  }
  return true;
}

void FtpVerbindung::Beenden() {
  // Cleaning up the handle sends "QUIT" on the cached connection.
  if (FCurl->h) curl_easy_cleanup(FCurl->h);
  FCurl->h = nullptr;
  FVerbunden = false;
}

}  // namespace zaq::plattform
