#include "platform/stampa/Pagine.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace stampa {

namespace {

PangoFontDescription* Descrizione(const FontStampa& f) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, f.nome.empty() ? "Arial" : f.nome.c_str());
  pango_font_description_set_absolute_size(d, (f.punti > 0 ? f.punti : 10) * PANGO_SCALE);
  pango_font_description_set_weight(d, f.grassetto ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, f.corsivo ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return d;
}

// A layout on a private surface for measuring: pango is not thread-safe,
// the print runs on the user-interface thread; the mutex keeps a
// background benchmark honest.
struct Misuratore {
  std::mutex m;
  cairo_surface_t* sup = nullptr;
  cairo_t* cr = nullptr;
  PangoLayout* lay = nullptr;
  Misuratore() {
    sup = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cr = cairo_create(sup);
    lay = pango_cairo_create_layout(cr);
  }
};
Misuratore& Mis() {
  static Misuratore* m = new Misuratore();
  return *m;
}

void ImpColore(cairo_t* cr, long c) {
  cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
}

void Disegna(cairo_t* cr, const Documento& d, const Pagina& p) {
  PangoLayout* lay = pango_cairo_create_layout(cr);
  pango_layout_set_ellipsize(lay, PANGO_ELLIPSIZE_END);
  pango_layout_set_single_paragraph_mode(lay, TRUE);
  std::vector<PangoFontDescription*> desc;
  for (const FontStampa& f : d.fonts) desc.push_back(Descrizione(f));
  int fontAttuale = -1;
  cairo_set_line_width(cr, 0.5);
  for (const ElementoPagina& e : p.elementi) {
    ImpColore(cr, e.colore);
    switch (e.tipo) {
      case TipoElemento::Testo: {
        if (e.testo.empty()) break;
        const int fi = (e.font >= 0 && e.font < static_cast<int>(desc.size())) ? e.font : -1;
        if (fi != fontAttuale) {
          if (fi >= 0) pango_layout_set_font_description(lay, desc[fi]);
          fontAttuale = fi;
          PangoAttrList* att = pango_attr_list_new();
          if (fi >= 0 && d.fonts[fi].sottolineato) pango_attr_list_insert(att, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
          pango_layout_set_attributes(lay, att);
          pango_attr_list_unref(att);
        }
        pango_layout_set_width(lay, e.w > 0 ? static_cast<int>(e.w * PANGO_SCALE) : -1);
        pango_layout_set_alignment(lay, e.allinea == 1   ? PANGO_ALIGN_RIGHT
                                        : e.allinea == 2 ? PANGO_ALIGN_CENTER
                                                         : PANGO_ALIGN_LEFT);
        pango_layout_set_text(lay, e.testo.data(), static_cast<int>(e.testo.size()));
        cairo_move_to(cr, e.x, e.y);
        pango_cairo_show_layout(cr, lay);
        break;
      }
      case TipoElemento::Linea:
        cairo_move_to(cr, e.x, e.y);
        cairo_line_to(cr, e.x + e.w, e.y + e.h);
        cairo_stroke(cr);
        break;
      case TipoElemento::Riquadro:
        cairo_rectangle(cr, e.x, e.y, e.w, e.h);
        cairo_stroke(cr);
        break;
      case TipoElemento::RiquadroPieno:
        cairo_rectangle(cr, e.x, e.y, e.w, e.h);
        cairo_fill(cr);
        break;
    }
  }
  for (auto* x : desc) pango_font_description_free(x);
  g_object_unref(lay);
}

std::string Stato(cairo_status_t s) { return cairo_status_to_string(s); }

}  // namespace

int Documento::Font(const FontStampa& f) {
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i] == f) return static_cast<int>(i);
  fonts.push_back(f);
  return static_cast<int>(fonts.size()) - 1;
}

double LarghezzaTesto(const FontStampa& f, const std::string& testo) {
  Misuratore& m = Mis();
  std::lock_guard<std::mutex> l(m.m);
  PangoFontDescription* d = Descrizione(f);
  pango_layout_set_font_description(m.lay, d);
  pango_font_description_free(d);
  pango_layout_set_text(m.lay, testo.data(), static_cast<int>(testo.size()));
  int w = 0, h = 0;
  pango_layout_get_size(m.lay, &w, &h);
  return static_cast<double>(w) / PANGO_SCALE;
}

double AltezzaRiga(const FontStampa& f) {
  Misuratore& m = Mis();
  std::lock_guard<std::mutex> l(m.m);
  PangoFontDescription* d = Descrizione(f);
  pango_layout_set_font_description(m.lay, d);
  pango_font_description_free(d);
  pango_layout_set_text(m.lay, "Ag", 2);
  int w = 0, h = 0;
  pango_layout_get_size(m.lay, &w, &h);
  return static_cast<double>(h) / PANGO_SCALE;
}

std::string NomeProvvisorio(const std::string& file) {
  static std::atomic<int> n{0};
  return file + ".~" + std::to_string(getpid()) + "-" + std::to_string(++n) + ".tmp";
}

bool Completa(const std::string& provvisorio, const std::string& file, std::string& errore) {
  if (std::rename(provvisorio.c_str(), file.c_str()) != 0) {
    errore = "Impossibile scrivere il file " + file + ": " + std::strerror(errno);
    std::remove(provvisorio.c_str());
    return false;
  }
  return true;
}

bool ScriviPng(const Documento& d, int indice, double fattore, const std::string& file, std::string& errore) {
  if (indice < 0 || indice >= d.NumPagine()) {
    errore = "Pagina inesistente";
    return false;
  }
  if (fattore <= 0) fattore = 1;
  const double scala = fattore * 96.0 / 72.0;
  const int w = std::max(1, static_cast<int>(d.larghezza * scala + 0.5));
  const int h = std::max(1, static_cast<int>(d.altezza * scala + 0.5));
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, scala, scala);
  Disegna(cr, d, d.pagine[indice]);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  const std::string tmp = NomeProvvisorio(file);
  const cairo_status_t st = cairo_surface_write_to_png(s, tmp.c_str());
  cairo_surface_destroy(s);
  if (st != CAIRO_STATUS_SUCCESS) {
    errore = "Impossibile scrivere la pagina " + file + ": " + Stato(st);
    std::remove(tmp.c_str());
    return false;
  }
  return Completa(tmp, file, errore);
}

bool ScriviPdf(const Documento& d, int da, int a, const std::string& file, std::string& errore,
               bool (*continua)(void*), void* dati) {
  if (d.NumPagine() == 0) {
    errore = "Nessuna pagina da stampare";
    return false;
  }
  da = std::max(0, da);
  a = std::min(a, d.NumPagine() - 1);
  if (a < da) {
    errore = "Nessuna pagina da stampare nell'intervallo scelto";
    return false;
  }
  const std::string tmp = NomeProvvisorio(file);
  cairo_surface_t* s = cairo_pdf_surface_create(tmp.c_str(), d.larghezza, d.altezza);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    errore = "Impossibile creare il file " + file + ": " + Stato(cairo_surface_status(s));
    cairo_surface_destroy(s);
    std::remove(tmp.c_str());
    return false;
  }
  cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_CREATOR, "Velnor DDT");
  cairo_t* cr = cairo_create(s);
  bool fermata = false;
  for (int i = da; i <= a; ++i) {
    if (continua && !continua(dati)) {
      fermata = true;
      break;
    }
    Disegna(cr, d, d.pagine[i]);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(s);
  const cairo_status_t st = cairo_surface_status(s);
  cairo_surface_destroy(s);
  if (fermata) {
    std::remove(tmp.c_str());
    errore = "Stampa interrotta";
    return false;
  }
  if (st != CAIRO_STATUS_SUCCESS) {
    errore = "Impossibile scrivere il file " + file + ": " + Stato(st);
    std::remove(tmp.c_str());
    return false;
  }
  return Completa(tmp, file, errore);
}

}  // namespace stampa

namespace stampa {

std::string FileFreccia(int i) {
  static std::string cartella;
  static std::mutex m;
  std::lock_guard<std::mutex> l(m);
  if (i < 1 || i > 8) return {};
  if (cartella.empty()) {
    const char* t = std::getenv("TMPDIR");
    std::string modello = std::string(t && *t ? t : "/tmp") + "/ddt-frecce-XXXXXX";
    std::vector<char> buf(modello.begin(), modello.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) return {};
    cartella = buf.data();
    // The pictures go with the process.
    static struct Pulizia {
      ~Pulizia() {
        std::error_code ec;
        std::filesystem::remove_all(cartella, ec);
      }
    } pulizia;
  }
  const std::string file = cartella + "/freccia" + std::to_string(i) + ".png";
  if (std::filesystem::exists(file)) return file;
  const int lato = 24;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, lato, lato);
  cairo_t* cr = cairo_create(s);
  const bool attiva = i <= 4;
  const int k = (i - 1) % 4;  // 0 first, 1 previous, 2 next, 3 last
  if (attiva) cairo_set_source_rgb(cr, 0.1, 0.25, 0.6);
  else cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
  const bool destra = k >= 2;
  auto triangolo = [&](double x) {
    if (destra) {
      cairo_move_to(cr, x, 5);
      cairo_line_to(cr, x + 10, 12);
      cairo_line_to(cr, x, 19);
    } else {
      cairo_move_to(cr, x + 10, 5);
      cairo_line_to(cr, x, 12);
      cairo_line_to(cr, x + 10, 19);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
  };
  triangolo(destra ? 6 : 8);
  if (k == 0) cairo_rectangle(cr, 4, 5, 3, 14), cairo_fill(cr);
  if (k == 3) cairo_rectangle(cr, 17, 5, 3, 14), cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_write_to_png(s, file.c_str());
  cairo_surface_destroy(s);
  return file;
}

bool DimensioniPng(const std::string& file, int& larghezza, int& altezza) {
  FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return false;
  unsigned char h[24];
  const size_t n = std::fread(h, 1, sizeof h, f);
  std::fclose(f);
  if (n < 24 || std::memcmp(h + 1, "PNG", 3) != 0) return false;
  larghezza = (h[16] << 24) | (h[17] << 16) | (h[18] << 8) | h[19];
  altezza = (h[20] << 24) | (h[21] << 16) | (h[22] << 8) | h[23];
  return true;
}

}  // namespace stampa
