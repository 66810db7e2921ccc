#include "platform/stampa/StampaLista.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "platform/Testo.h"
#include "platform/stampa/Stampanti.h"

namespace stampa {

namespace {

constexpr double kMargine = 28.35;  // 1 cm
constexpr double kPiede = 16;

std::string Unisci(const std::vector<std::string>& parti, const std::string& sep) {
  std::string r;
  for (size_t i = 0; i < parti.size(); ++i) {
    if (i) r += sep;
    r += parti[i];
  }
  return r;
}

std::string Qualifica(const std::string& s, const std::string& q) {
  if (q.empty()) return s;
  return q + vb::Replace(s, q, q + q) + q;
}

// Cells as the file takes them.
std::string CellaFile(const std::string& s, bool senzaFormato, const std::string& q) {
  if (TestoNumerico(s)) return senzaFormato ? NumeroSenzaFormato(s) : s;
  return Qualifica(s, q);
}

bool ScriviTesto(const TabellaStampa& t, const OpzioniStampa& o, std::string& errore) {
  std::string sep = o.SepCampi, q = o.DelimStr;
  bool senzaFormato = o.NumNoForm != 0;
  if (o.FileForm == FormCompatibileExcel) {
    sep = ";";
    q = "\"";
    senzaFormato = true;
  }
  if (sep.empty()) sep = "\t";
  const std::string tmp = NomeProvvisorio(o.FileName);
  {
    std::ofstream f(tmp, std::ios::binary);
    if (!f) {
      errore = "Impossibile creare il file " + o.FileName;
      return false;
    }
    std::vector<std::string> parti;
    for (const ColonnaStampa& c : t.colonne) parti.push_back(Qualifica(c.titolo, q));
    f << Unisci(parti, sep) << "\r\n";
    for (const auto& r : t.righe) {
      parti.clear();
      for (const std::string& s : r) parti.push_back(CellaFile(s, senzaFormato, q));
      f << Unisci(parti, sep) << "\r\n";
    }
    f.flush();
    if (!f) {
      errore = "Impossibile scrivere il file " + o.FileName;
      f.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  return Completa(tmp, o.FileName, errore);
}

double Numero(const std::string& s) {
  std::string n = NumeroSenzaFormato(s);
  std::replace(n.begin(), n.end(), ',', '.');
  return std::atof(n.c_str());
}

bool ScriviXlsx(const TabellaStampa& t, const OpzioniStampa& o, std::string& errore) {
  const std::string tmp = NomeProvvisorio(o.FileName);
  lxw_workbook* wb = workbook_new(tmp.c_str());
  if (!wb) {
    errore = "Impossibile creare il file " + o.FileName;
    return false;
  }
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  lxw_format* grassetto = workbook_add_format(wb);
  format_set_bold(grassetto);
  lxw_format* decimali[5] = {};
  const char* maschere[5] = {"#,##0", "#,##0.0", "#,##0.00", "#,##0.000", "#,##0.0000"};
  for (int i = 0; i < 5; ++i) {
    decimali[i] = workbook_add_format(wb);
    format_set_num_format(decimali[i], maschere[i]);
  }
  for (size_t c = 0; c < t.colonne.size(); ++c) {
    worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), t.colonne[c].titolo.c_str(), grassetto);
    worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                         std::max(4.0, t.colonne[c].larghezza / 110.0), nullptr);
  }
  lxw_row_t riga = 1;
  for (const auto& r : t.righe) {
    for (size_t c = 0; c < r.size(); ++c) {
      const std::string& s = r[c];
      if (s.empty()) continue;
      if (TestoNumerico(s)) {
        lxw_format* f = nullptr;
        if (o.NumNoForm == 0) {
          const size_t v = s.find(',');
          const size_t dec = v == std::string::npos ? 0 : std::min<size_t>(4, s.size() - v - 1);
          f = decimali[dec];
        }
        worksheet_write_number(ws, riga, static_cast<lxw_col_t>(c), Numero(s), f);
      } else {
        worksheet_write_string(ws, riga, static_cast<lxw_col_t>(c), s.c_str(), nullptr);
      }
    }
    ++riga;
  }
  if (workbook_close(wb) != LXW_NO_ERROR) {
    errore = "Impossibile scrivere il file " + o.FileName;
    std::remove(tmp.c_str());
    return false;
  }
  return Completa(tmp, o.FileName, errore);
}

std::string Adatta(const std::string& s, size_t larghezza, int allinea) {
  // Cells are UTF-8: count characters, not bytes.
  size_t lun = 0;
  for (char ch : s)
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++lun;
  std::string testo = s;
  if (lun > larghezza) {
    // Cut at the character boundary.
    size_t byte = 0, car = 0;
    while (byte < s.size() && car < larghezza) {
      const unsigned char c = static_cast<unsigned char>(s[byte]);
      byte += c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
      ++car;
    }
    testo = s.substr(0, byte);
    lun = larghezza;
  }
  const std::string spazi(larghezza - lun, ' ');
  return allinea == 1 ? spazi + testo : testo + spazi;
}

}  // namespace

bool TestoNumerico(const std::string& s) {
  if (s.empty()) return false;
  size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i >= s.size()) return false;
  bool cifre = false, virgola = false;
  int dopoPunto = -1;  // digits since the last thousands separator
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      cifre = true;
      if (dopoPunto >= 0 && !virgola) ++dopoPunto;
    } else if (c == '.' && !virgola) {
      if (!cifre || (dopoPunto >= 0 && dopoPunto != 3)) return false;
      dopoPunto = 0;
    } else if (c == ',' && !virgola) {
      if (!cifre || (dopoPunto >= 0 && dopoPunto != 3)) return false;
      virgola = true;
    } else {
      return false;
    }
  }
  if (!virgola && dopoPunto >= 0 && dopoPunto != 3) return false;
  return cifre && s.back() != ',';
}

std::string NumeroSenzaFormato(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != '.') r += c;
  return r;
}

void ImpaginaLista(const TabellaStampa& t, const ImpLista& imp, const OpzioniStampa& o, Documento& doc) {
  doc.pagine.clear();
  doc.fonts.clear();
  const bool orizzontale = imp.orientamento == 2 && o.ForzaVert == 0;
  doc.larghezza = orizzontale ? 841.89 : 595.28;
  doc.altezza = orizzontale ? 595.28 : 841.89;
  FontStampa fCorpo = imp.font;
  if (fCorpo.punti <= 0) fCorpo.punti = 10;
  FontStampa fTitoli = fCorpo;
  fTitoli.grassetto = true;
  FontStampa fIntest = fTitoli;
  fIntest.punti = fCorpo.punti + 2;
  FontStampa fPiede = fCorpo;
  fPiede.punti = std::max(6.0, fCorpo.punti - 2);
  const int iCorpo = doc.Font(fCorpo), iTitoli = doc.Font(fTitoli), iIntest = doc.Font(fIntest),
            iPiede = doc.Font(fPiede);
  const double altRiga = std::ceil(AltezzaRiga(fCorpo) * 1.1);
  const double altIntest = std::ceil(AltezzaRiga(fIntest) * 1.3);
  const double utile = doc.larghezza - 2 * kMargine;

  // Column widths follow the grid's, at the print font's size.
  std::vector<double> larg;
  double totale = 0;
  for (const ColonnaStampa& c : t.colonne) {
    const double w = std::max(12.0, c.larghezza / 20.0 * fCorpo.punti / 8.25);
    larg.push_back(w);
    totale += w;
  }
  if (totale > utile && totale > 0)
    for (double& w : larg) w *= utile / totale;
  std::vector<double> xCol;
  double x = kMargine;
  for (double w : larg) {
    xCol.push_back(x);
    x += w;
  }
  const double fineRighe = std::min(x, doc.larghezza - kMargine);

  size_t r = 0;
  int numero = 0;
  do {
    Pagina p;
    ++numero;
    double y = kMargine;
    if (numero == 1 && !t.titolo.empty()) {
      p.elementi.push_back({TipoElemento::Testo, kMargine, y, utile, altIntest, t.titolo, iIntest, 0, 0});
      y += altIntest;
    }
    for (size_t c = 0; c < t.colonne.size(); ++c)
      p.elementi.push_back({TipoElemento::Testo, xCol[c] + 2, y, larg[c] - 4, altRiga, t.colonne[c].titolo, iTitoli,
                            t.colonne[c].allinea, 0});
    y += altRiga + 1;
    p.elementi.push_back({TipoElemento::Linea, kMargine, y, fineRighe - kMargine, 0, {}, 0, 0, 0});
    y += 2;
    const double fondo = doc.altezza - kMargine - kPiede;
    while (r < t.righe.size() && y + altRiga <= fondo) {
      const auto& riga = t.righe[r];
      for (size_t c = 0; c < t.colonne.size() && c < riga.size(); ++c) {
        if (riga[c].empty()) continue;
        p.elementi.push_back(
            {TipoElemento::Testo, xCol[c] + 2, y, larg[c] - 4, altRiga, riga[c], iCorpo, t.colonne[c].allinea, 0});
      }
      y += altRiga;
      ++r;
    }
    p.elementi.push_back({TipoElemento::Linea, kMargine, doc.altezza - kMargine - kPiede + 2, utile, 0, {}, 0, 0, 0});
    p.elementi.push_back({TipoElemento::Testo, kMargine, doc.altezza - kMargine - kPiede + 4, utile, kPiede,
                          "Pag. " + std::to_string(numero), iPiede, 1, 0});
    doc.pagine.push_back(std::move(p));
  } while (r < t.righe.size());
}

std::string TestoFisso(const TabellaStampa& t, const OpzioniStampa& o) {
  const size_t colonne = o.FisColonne > 0 ? static_cast<size_t>(o.FisColonne) : 80;
  std::vector<size_t> larg;
  for (const ColonnaStampa& c : t.colonne) larg.push_back(std::max<long>(1, (c.larghezza + 60) / 120));
  auto riga = [&](const std::vector<std::string>& celle) {
    std::string s;
    for (size_t c = 0; c < larg.size(); ++c) {
      if (c) s += ' ';
      const std::string v = c < celle.size() ? celle[c] : std::string();
      s += Adatta(v, larg[c], t.colonne[c].allinea);
    }
    s = vb::RTrim(s);
    return Adatta(s, std::min(colonne, s.size()), 0);
  };
  std::vector<std::string> titoli;
  size_t totale = 0;
  for (size_t c = 0; c < t.colonne.size(); ++c) {
    titoli.push_back(t.colonne[c].titolo);
    totale += larg[c] + (c ? 1 : 0);
  }
  const std::string tratto(std::min(colonne, totale), '-');
  const int perPagina = std::max(3, o.FisRighe - o.FisMrAlt - o.FisMrBas);
  std::string out;
  if (o.FisUtilComp != 0) out += o.FisCodIniComp;
  size_t r = 0;
  bool prima = true;
  do {
    if (!prima) out += "\f";
    prima = false;
    for (int i = 0; i < o.FisMrAlt; ++i) out += "\r\n";
    out += riga(titoli) + "\r\n" + tratto + "\r\n";
    int usate = 2;
    while (r < t.righe.size() && usate < perPagina) {
      out += riga(t.righe[r]) + "\r\n";
      ++r;
      ++usate;
    }
    for (int i = 0; i < o.FisMrBas; ++i) out += "\r\n";
  } while (r < t.righe.size());
  if (o.FisUtilComp != 0) out += o.FisCodFinComp;
  return out;
}

bool ScriviFileTabella(const TabellaStampa& t, const OpzioniStampa& o, std::string& errore) {
  if (o.FileName.empty()) {
    errore = "Manca il nome del file di stampa";
    return false;
  }
  if (o.FileForm == FormExcel) return ScriviXlsx(t, o, errore);
  return ScriviTesto(t, o, errore);
}

bool StampaTabella(OggettoStampa& ogg, const TabellaStampa& t, const ImpLista& imp, std::string& errore) {
  if (!ogg.ogOpzSta()) ogg.SetogOpzSta(std::make_shared<OpzioniStampa>());
  const OpzioniStampa& o = *ogg.ogOpzSta();
  ogg.SetStatoStampa(0);
  if (o.oiStaVid == StaFile) return ScriviFileTabella(t, o, errore);
  if (o.oiStaVid == StaFissa) {
    const std::string testo = TestoFisso(t, o);
    const std::string file = o.FisStampante != 0 ? ogg.PercorsoFile() + "Fissa.txt" : o.FisFileName;
    if (file.empty()) {
      errore = "Manca il nome del file per la stampa fissa";
      return false;
    }
    const std::string tmp = NomeProvvisorio(file);
    {
      std::ofstream f(tmp, std::ios::binary);
      f << testo;
      f.flush();
      if (!f) {
        errore = "Impossibile scrivere il file " + file;
        f.close();
        std::remove(tmp.c_str());
        return false;
      }
    }
    if (!Completa(tmp, file, errore)) return false;
    if (o.FisStampante == 0) return true;
    LavoroStampa l;
    l.coda = o.FisFileName;
    l.file = file;
    l.titolo = o.CodStampa.empty() ? "Stampa" : o.CodStampa;
    l.grezzo = true;
    const bool ok = InviaLavoro(l, errore);
    std::remove(file.c_str());
    return ok;
  }
  ImpaginaLista(t, imp, o, ogg.Doc());
  return ogg.StampaDocumento(errore);
}

}  // namespace stampa
