#include <gtest/gtest.h>

#include "platform/menu/Protocollo.h"

using menu::Frame;
using menu::ValoreMenu;

namespace {

Frame Giro(const Frame& f) {
  const std::string riga = menu::Codifica(f);
  EXPECT_EQ(riga.back(), '\n');
  EXPECT_EQ(riga.find('\n'), riga.size() - 1) << "one frame, one line";
  Frame g;
  EXPECT_TRUE(menu::Decodifica(riga, g)) << riga;
  return g;
}

}  // namespace

TEST(ProtocolloMenu, EveryTypeOfValueComesBackAsItWent) {
  Frame q;
  q.tipo = 'Q';
  q.numero = 17;
  q.operazione = "ScriviParam";
  q.valori = {ValoreMenu(vb::Variant()), ValoreMenu(vb::Null), ValoreMenu(vb::Missing), ValoreMenu(vb::Variant(true)),
              ValoreMenu(vb::Variant(static_cast<uint8_t>(7))), ValoreMenu(vb::Variant(static_cast<int16_t>(-40))),
              ValoreMenu(vb::Variant(123456L)), ValoreMenu(vb::Variant(0.1)), ValoreMenu(vb::Variant(1.5f)),
              ValoreMenu(vb::Variant(vb::Currency::FromText("1936,27"))),
              ValoreMenu(vb::Variant(vb::Date::FromYmdHms(2026, 12, 10, 8, 30, 0))),
              ValoreMenu(vb::Variant("Personal.Ddt.§DaOrdi")), ValoreMenu(vb::Variant(""))};
  Frame g = Giro(q);
  EXPECT_EQ(g.tipo, 'Q');
  EXPECT_EQ(g.numero, 17);
  EXPECT_EQ(g.operazione, "ScriviParam");
  ASSERT_EQ(g.valori.size(), q.valori.size());
  for (size_t i = 0; i < q.valori.size(); ++i) {
    EXPECT_EQ(g.valori[i].Valore().VarType(), q.valori[i].Valore().VarType()) << i;
    EXPECT_TRUE(g.valori[i] == q.valori[i]) << i;
  }
}

TEST(ProtocolloMenu, TabsLineEndsAndBackslashesInsideTextsAreEscaped) {
  Frame c;
  c.tipo = 'C';
  c.numero = 3;
  c.valori = {ValoreMenu("1"), ValoreMenu("W1"), ValoreMenu("FEInvio"),
              ValoreMenu(std::vector<vb::Variant>{vb::Variant("a\tb"), vb::Variant("riga 1\r\nriga 2"),
                                                  vb::Variant(0L), vb::Variant("C:\\Dati\\n")})};
  const std::string riga = menu::Codifica(c);
  EXPECT_EQ(riga.find('\r'), std::string::npos);
  Frame g = Giro(c);
  ASSERT_EQ(g.valori.size(), 4u);
  EXPECT_TRUE(g.valori[3].IsArray());
  EXPECT_EQ(g.valori[3].Elemento(0).ToString(), "a\tb");
  EXPECT_EQ(g.valori[3].Elemento(1).ToString(), "riga 1\r\nriga 2");
  EXPECT_EQ(g.valori[3].Elemento(2).ToLong(), 0);
  EXPECT_EQ(g.valori[3].Elemento(3).ToString(), "C:\\Dati\\n");
  EXPECT_EQ(g.valori[3].Testo(), "a\tb");
}

TEST(ProtocolloMenu, AnswersCarryAValueOrAnError) {
  Frame r;
  r.tipo = 'R';
  r.numero = 9;
  r.operazione = "OK";
  r.valori = {ValoreMenu(vb::Variant(true))};
  Frame g = Giro(r);
  EXPECT_EQ(g.operazione, "OK");
  EXPECT_TRUE(g.valori.at(0).Valore().ToBool());

  Frame e;
  e.tipo = 'R';
  e.numero = 10;
  e.operazione = "ERR";
  e.errore = 5;
  e.descrizione = "Il menu principale non è in esecuzione";
  g = Giro(e);
  EXPECT_EQ(g.operazione, "ERR");
  EXPECT_EQ(g.errore, 5);
  EXPECT_EQ(g.descrizione, e.descrizione);
}

TEST(ProtocolloMenu, MalformedLinesAreRefused) {
  Frame f;
  EXPECT_FALSE(menu::Decodifica("", f));
  EXPECT_FALSE(menu::Decodifica("X\t1\tOK\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\tuno\tLeggiParam\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\t1\tLeggiParam\tZboh\n", f));
  EXPECT_FALSE(menu::Decodifica("Q\t1\tLeggiParam\tA3\tS1\n", f));  // array shorter than its count
  EXPECT_FALSE(menu::Decodifica("C\t1\tS1\tSW1\n", f));              // a command needs four values
  EXPECT_TRUE(menu::Decodifica("Q\t1\tPercorsoIni\n", f));
}

TEST(ProtocolloMenu, TheSocketLivesInThePrivateRuntimeFolder) {
  const std::string s = menu::PercorsoSocket("42");
  EXPECT_NE(s.find("/velnor-menu-42.sock"), std::string::npos);
  EXPECT_EQ(s.rfind(menu::CartellaRuntime(), 0), 0u);
  EXPECT_EQ(menu::ConnettiSocket("nessun-menu-con-questo-nome"), -1);
}
