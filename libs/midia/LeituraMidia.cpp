#include "midia/LeituraMidia.h"

#include "midia/ChavesMidia.h"

namespace korventa::midia {

ResumoEntrada ResumoDe(const EntradaZip& e) {
    return {e.nome, e.crc, e.crcArmazenado, e.tamanho, e.tamanhoArmazenado, e.metodo, e.bandeiras};
}

std::vector<ResumoEntrada> Midia::entradasSeladas() const {
    std::vector<ResumoEntrada> r;
    for (const auto& e : zip.entradas)
        if (e.nome != NomeIni) r.push_back(ResumoDe(e));
    return r;
}

const EntradaZip* Midia::entrada(std::string_view nome) const {
    for (const auto& e : zip.entradas)
        if (e.nome == nome) return &e;
    return nullptr;
}

std::optional<std::string> AbreMidia(const std::string& caminho, Midia& m) {
    m = {};
    if (auto erro = ExaminaZip(caminho, TamanhoInfo, m.zip)) return erro;
    const auto& entradas = m.zip.entradas;
    if (entradas.size() < 2 || entradas.back().nome != NomeIni) return "sem midia.ini no fim";
    for (const char* nome : {NomeResumo, NomeTotaisCFOP, NomeComprovante})
        if (!m.entrada(nome)) return std::string("sem ") + nome;
    std::string ini;
    if (auto erro = LeConteudo(caminho, entradas.back(), ini)) return erro;
    if (!LeIni(ini, m.ini)) return "midia.ini inválido";
    if (m.ini.classe != ClasseEspecial && m.ini.classe != ClassePadrao) return "classe inválida";
    const std::string chave = ChaveVariante(m.ini.classe == ClasseEspecial);
    if (!SelosIguais(CalculaSelo(chave, m.info(), m.ini, m.entradasSeladas()), m.ini.selo))
        return "selo não confere";
    return std::nullopt;
}

std::optional<std::string> LeEntrada(const std::string& caminho, const Midia& m,
                                     std::string_view nome, std::string& conteudo) {
    const EntradaZip* e = m.entrada(nome);
    if (!e) return "sem " + std::string(nome);
    return LeConteudo(caminho, *e, conteudo);
}

std::string MensagemDanificada(const std::string& caminho) {
    return "Arquivo de mídia danificado: " + caminho;
}

} // namespace korventa::midia
