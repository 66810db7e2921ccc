#include "common/RisVid.h"

#include <cmath>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/Windll.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace RisVid {

namespace {

using membri::Ignora;

long Per(long v, double f) { return std::lround(static_cast<double>(v) * f); }

// Flags of a control: the first triple naming it (letter case ignored) with
// its index or -1.
int FlagDi(const ui::Controllo& c, const std::vector<vb::Variant>& esclusi) {
  for (size_t i = 0; i + 2 < esclusi.size(); i += 3) {
    int flag = 0;
    bool trovato = false;
    Ignora([&] {
      if (!vb::UgualeTesto(esclusi[i].ToString(), c.Name())) return;
      const int indice = esclusi[i + 1].ToInt();
      if (indice != -1 && indice != c.Index()) return;
      flag = esclusi[i + 2].ToInt();
      trovato = true;
    });
    if (trovato) return flag;
  }
  return 0;
}

bool ConCarattere(ui::Tipo t) {
  switch (t) {
    case ui::Tipo::CommandButton:
    case ui::Tipo::TextBox:
    case ui::Tipo::Label:
    case ui::Tipo::ComboBox:
    case ui::Tipo::ListBox:
    case ui::Tipo::CheckBox:
    case ui::Tipo::OptionButton:
    case ui::Tipo::Frame:
    case ui::Tipo::DataGrid:
    case ui::Tipo::FlexGrid:
    case ui::Tipo::TabStrip:
    case ui::Tipo::StatusBar: return true;
    default: return false;
  }
}

// Kinds without a place or size of their own (a timer, an image list).
bool SenzaGeometria(ui::Tipo t) { return t == ui::Tipo::Timer || t == ui::Tipo::ImageList; }

}  // namespace

bool AlzaLista(const std::function<long()>& leggi, const std::function<void(long)>& imposta) {
  // An inch of tries: a list box snapping its height to whole rows gets
  // there well before.
  constexpr long kUltimoTentativo = 60 + 1440;
  for (long h = 61; leggi() <= 60; ++h) {
    if (h > kUltimoTentativo) return false;
    imposta(h);
  }
  return true;
}

void RiscalaControlli(ui::Form& pgForm, double pdFattore, const std::vector<vb::Variant>& pvAltriCtl) {
  if (pdFattore == 1 || !(pdFattore > 0)) return;
  Ignora([&] { pgForm.Move(pgForm.Left(), pgForm.Top(), Per(pgForm.Width(), pdFattore), Per(pgForm.Height(), pdFattore)); });
  Ignora([&] {
    ui::Carattere f = pgForm.Font();
    f.Size = vb::Currency::FromDouble(f.Size).ToDouble() * pdFattore;
    pgForm.SetFont(f);
  });
  // Controls created meanwhile (a Resize handler) are not visited.
  std::vector<ui::Controllo*> controlli;
  for (const auto& c : pgForm.Controlli()) controlli.push_back(c.get());
  for (ui::Controllo* c : controlli) {
    const ui::Tipo tipo = c->tipo();
    if (SenzaGeometria(tipo)) continue;
    if (tipo == ui::Tipo::Image && !c->Stretch()) continue;
    const int flag = FlagDi(*c, pvAltriCtl);
    // A line has its two ends instead of a place and a size: they are
    // scaled with the steps of its kind.
    if (tipo != ui::Tipo::Line) {
      if (!(flag & NonSpostare)) Ignora([&] { c->Move(Per(c->Left(), pdFattore), Per(c->Top(), pdFattore)); });
      if (!(flag & NonDimensionare))
        Ignora([&] { c->Move(c->Left(), c->Top(), Per(c->Width(), pdFattore), Per(c->Height(), pdFattore)); });
    }
    if (flag & NonCaratteri) continue;
    if (ConCarattere(tipo)) {
      Ignora([&] {
        ui::Carattere f = c->Font();
        f.Size *= pdFattore;
        c->SetFont(f);
      });
    }
    switch (tipo) {
      case ui::Tipo::DataGrid:
        if (auto* g = dynamic_cast<ui::Griglia*>(c)) {
          ui::Carattere f = g->HeadFont();
          f.Size *= pdFattore;
          g->SetHeadFont(f);
        }
        break;
      case ui::Tipo::Line:
        c->Move(Per(c->Left(), pdFattore), Per(c->Top(), pdFattore), Per(c->Width(), pdFattore),
                Per(c->Height(), pdFattore));
        break;
      case ui::Tipo::StatusBar:
        for (int i = 1; i <= c->NumElementi(); ++i) c->Elem(i).Width = Per(c->Elem(i).Width, pdFattore);
        c->ElementoCambiato();
        break;
      case ui::Tipo::ListBox:
        AlzaLista([c] { return c->Height(); }, [c](long h) { c->SetHeight(h); });
        break;
      default: break;
    }
  }
}

vb::Variant ScalaForm(ui::Form& pgForm, int piSoloCalc, double& pdFattore, const std::vector<vb::Variant>& pvAltriCtl) {
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  vb::Variant risultato = static_cast<int16_t>(1);
  Ignora([&] { pgForm.ScriviPerNome("odRisVidVal", 1.0); });

  if (pdFattore == -2) {
    if (g.gdRisVidGenerale == -1) return risultato;
    if (g.gdRisVidGenerale != -2) {
      pdFattore = g.gdRisVidGenerale;
    } else {
      std::string chiave;
      Ignora([&] { chiave = pgForm.LeggiPerNome("osRisVidKey").ToString(); });
      if (fc.Vuoto(chiave, vb::vbString)) {
        chiave.clear();
        Ignora([&] { chiave = g.gsKeyPrg + "-" + pgForm.LeggiPerNome("osKeySec").ToString(); });
      }
      if (chiave.empty()) {
        pdFattore = g.gdRisVidBase;
      } else {
        Ignora([&] {
          std::string valore;
          FunVarie::LeggiParIni("Risoluzione Video", chiave, "-2", valore);
          pdFattore = fc.ValDouble(valore, true);
          if (pdFattore == -2) pdFattore = g.gdRisVidBase;
        });
      }
    }
  }
  if (pdFattore == -1) return risultato;

  bool automatico = false;
  if (pdFattore == -2) pdFattore = 0;
  if (pdFattore == 0) {
    int larghezza = 0, altezza = 0;
    Ignora([&] { pdFattore = FunVarie::CalcFattVideo(larghezza, altezza).ToDouble(); });
    automatico = true;
  }
  if (!(pdFattore > 0)) pdFattore = 1;

  if (piSoloCalc == 0 && pdFattore != 1) {
    // Keep the form above a panel docked at the bottom; an automatic factor
    // also within the screen's width.
    int passi = automatico ? 2 : 0;
    const ui::Schermo& s = ui::Screen();
    long utile = s.Height;
    Ignora([&] {
      int lato = -1, sopra = 0;
      long alto = 0, sinistra = 0, destra = 0, basso = 0;
      if (!Windll::StatoBarraApp(lato, sopra, alto, sinistra, destra, basso) && lato == 3) {
        utile = alto * s.TwipsPerPixelX;
        ++passi;
      }
    });
    const double basso = static_cast<double>(pgForm.Top() + pgForm.Height());
    if (passi > 0 && basso * pdFattore > static_cast<double>(utile)) pdFattore = static_cast<double>(utile) / basso;
    const double destra = static_cast<double>(pgForm.Left() + pgForm.Width());
    if (passi > 1 && static_cast<float>(destra * pdFattore) > static_cast<float>(s.Width))
      pdFattore = static_cast<double>(s.Width) / destra;
  }
  Ignora([&] { pgForm.ScriviPerNome("odRisVidVal", pdFattore); });
  if (piSoloCalc == 0) Ignora([&] { RiscalaControlli(pgForm, pdFattore, pvAltriCtl); });
  risultato = pdFattore;
  return risultato;
}

void ScalaColonne(ui::Griglia& pgGriglia, double& pdFattore) {
  for (int i = 0; i < pgGriglia.NumColonne(); ++i)
    Ignora([&] { pgGriglia.Colonna(i).Width = Per(pgGriglia.Colonna(i).Width, pdFattore); });
  pgGriglia.ColonnaCambiata();
}

}  // namespace RisVid
