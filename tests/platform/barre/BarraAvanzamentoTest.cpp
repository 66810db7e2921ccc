// The progress object on a busy window, and the command pictures the bars
// take from frmImgComPag.
#include <gtest/gtest.h>

#include "platform/barre/Avanzamento.h"
#include "platform/barre/BarraNavigazione.h"
#include "platform/barre/frmImgComPag.h"
#include "platform/ui/Headless.h"

namespace {

// The controls of the busy window, by their names.
class Occupato : public ui::Form {
 public:
  Occupato() : ui::Form("frmOccupato") {
    auto& pic = Crea(ui::Tipo::PictureBox, "PicMsgElab");
    pic.SetVisible(false);
    for (const char* n : {"LabMsgElab", "LabFatti", "LabDi", "labDaFare"}) Crea(ui::Tipo::Label, n).SetContainer(&pic);
    Crea(ui::Tipo::ProgressBar, "proDaFare").SetContainer(&pic);
  }
};

TEST(BarraAvanzamento, ShowsTheStepOfTheTotalAndGoesOnChiudi) {
  ui::HeadlessAttivo();
  Occupato f;
  barre::Avanzamento av;
  av.Form(f);
  av.Apri(5, "Calcolo cambio dettagli", 0, true, true, 24, "Calcolo cambio dettagli", 2, true);
  f.Show(0);
  EXPECT_TRUE(f.C("PicMsgElab").Visible());
  EXPECT_EQ(f.C("LabMsgElab").Caption(), "Calcolo cambio dettagli");
  struct Passo {
    long passo;
    const char* fatti;
    int barra;
  };
  for (const Passo& p : {Passo{1, "1", 1}, Passo{3, "3", 3}, Passo{9, "5", 5}, Passo{-2, "0", 0}}) {
    av.Avanza(p.passo);
    EXPECT_EQ(f.C("LabFatti").Caption(), p.fatti);
    EXPECT_EQ(f.C("labDaFare").Caption(), "5");
    EXPECT_EQ(f.C("proDaFare").Value(), p.barra);
  }
  av.Avanza(2, vb::Variant("Riga 2"));
  EXPECT_EQ(f.C("LabMsgElab").Caption(), "Riga 2");
  av.Titolo("Dati bloccati tentativo n. 1");
  EXPECT_EQ(f.C("LabMsgElab").Caption(), "Dati bloccati tentativo n. 1");
  // A new total starts again from 0; no total hides the counters.
  av.Messaggio(12);
  EXPECT_EQ(f.C("labDaFare").Caption(), "12");
  EXPECT_EQ(f.C("LabFatti").Caption(), "0");
  av.Messaggio(0);
  EXPECT_FALSE(f.C("LabFatti").Visible());
  av.Chiudi(true);
  EXPECT_FALSE(f.Caricata());
  EXPECT_FALSE(f.Visible());
}

TEST(BarraAvanzamento, AWindowWithoutItsControlsOrNoWindowAtAllIsNoFailure) {
  ui::HeadlessAttivo();
  barre::Avanzamento senza;
  senza.Apri(3, "x");
  senza.Avanza(1);
  senza.Chiudi();
  ui::Form vuota("frmVuota");
  barre::Avanzamento av;
  ui::Form& f = av.ApriConForm(vuota, 4, "Disaggiornamento", 0, true, true, 16, " Disaggiornamento Movimenti");
  EXPECT_EQ(&f, &vuota);
  EXPECT_EQ(vuota.Caption(), " Disaggiornamento Movimenti");
  EXPECT_TRUE(vuota.Visible());
  av.Avanza(2);
  EXPECT_EQ(av.Passo(), 2);
  av.Chiudi(true);
  EXPECT_FALSE(vuota.Caricata());
}

TEST(BarraImmagini, ToolbarButtonsTakeTheirPicturesFromTheList) {
  ui::HeadlessAttivo();
  ui::Form f("frmBottoni");
  auto& tb = f.Crea(ui::Tipo::Toolbar, "tolComPag");
  tb.AggiungiElemento("Salva").ToolTipText = "(S) Salva";
  tb.AggiungiElemento("sep", "", ui::tbrSeparator);
  tb.AggiungiElemento("Propria").ToolTipText = "(X) Comando della finestra";
  barre::BarraRecord b;
  b.ImpImmagini("", tb, &barre::frmImgComPag::Istanza().C("ImagePiccole"));
  EXPECT_EQ(tb.Elem("Salva").Image, "document-save");
  EXPECT_EQ(tb.Elem("sep").Image, "");
  EXPECT_EQ(tb.Elem("Propria").Image, "");
  EXPECT_EQ(b.TastoPremuto('X'), "Propria");
  EXPECT_EQ(barre::frmImgComPag::Lettera("Propria", "(X) Comando"), "X");
  EXPECT_EQ(barre::frmImgComPag::Lettera("lista", ""), "L");
  EXPECT_EQ(barre::frmImgComPag::Immagine("successivo"), "go-next");
}

}  // namespace
