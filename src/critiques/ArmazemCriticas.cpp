#include "critiques/ArmazemCriticas.h"

#include "common/Windows1252.h"

#include <limits>
#include <new>

namespace korventa {

void ArmazemCriticas::limpa() {
    // Devolve a memória de uma listagem grande em vez de só esvaziar.
    std::vector<Linha>().swap(linhas_);
    std::vector<char>().swap(area_);
    repetidos_.clear();
}

void ArmazemCriticas::reservaMaisUma() {
    if (linhas_.size() == linhas_.capacity())
        linhas_.reserve(std::max<std::size_t>(1024, linhas_.capacity() * 2));
}

ArmazemCriticas::Texto ArmazemCriticas::guarda(std::string_view texto) {
    // Os campos do relatório têm no máximo 100 bytes; a área passa de 4 GiB só com memória
    // que não existe.
    if (area_.size() + texto.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    Texto t{static_cast<std::uint32_t>(area_.size()), static_cast<std::uint8_t>(texto.size())};
    area_.insert(area_.end(), texto.begin(), texto.end());
    return t;
}

ArmazemCriticas::Texto ArmazemCriticas::guardaUmaVez(std::string_view texto) {
    const auto achado = repetidos_.find(texto);
    if (achado != repetidos_.end()) return achado->second;
    const Texto t = guarda(texto);
    repetidos_.emplace(std::string(texto), t);
    return t;
}

void ArmazemCriticas::inclui(const CamposCritica& c, TipoCritica tipo) {
    Linha l;
    l.linha = guarda(c.linha);
    l.registro = guarda(c.registro);
    l.campo = guardaUmaVez(c.campo);
    l.documentoItem = guarda(c.documentoItem);
    l.mensagem = guardaUmaVez(c.mensagem);
    l.tipo = tipo;
    l.inicioCampo = c.inicioCampo;
    l.tamanhoCampo = c.tamanhoCampo;
    l.deslocamento = c.deslocamento;
    linhas_.push_back(l);
}

QString ArmazemCriticas::texto(Texto t) const {
    return DeWindows1252(QByteArray::fromRawData(area_.data() + t.inicio, t.tamanho));
}

QString ArmazemCriticas::linha(qsizetype i) const {
    return texto(linhas_[i].linha);
}
QString ArmazemCriticas::mensagem(qsizetype i) const {
    return texto(linhas_[i].mensagem);
}
QString ArmazemCriticas::registro(qsizetype i) const {
    return texto(linhas_[i].registro);
}
QString ArmazemCriticas::campo(qsizetype i) const {
    return texto(linhas_[i].campo);
}

LocalizadorCritica ArmazemCriticas::localizador(qsizetype i) const {
    const Linha& l = linhas_[i];
    return {texto(l.documentoItem), l.deslocamento, l.inicioCampo, l.tamanhoCampo};
}

} // namespace korventa
