// Ligações das mídias com a janela principal: a pasta de comprovantes do programa de
// transmissão e o diálogo de informações (das Mídias e da Validar). O recibo do Resumo é ligado
// com a impressão (LigaImpressaoMidias).
#pragma once

class QWidget;

namespace korventa {

struct EstadoMidias;
struct Sessao;
class PaginaValidar;

void LigaMidias(Sessao& s, EstadoMidias& estado, QWidget* janela, PaginaValidar& validar);

// Diálogo de informações da entrada n da tabela de arquivos abertos, com a transmissão atual
// da sua mídia (quando há uma).
void MostraInfoEntrada(Sessao& s, EstadoMidias& estado, int n);

} // namespace korventa
