#include "critiques/PercursoRelatorio.h"

#include "critiques/RelatorioCriticas.h"

namespace korventa {

bool PercursoRelatorio::abre(const QString& caminho) {
    base_ = 0;
    r_ = 0;
    emBlocos_ = false;
    proximoBloco_ = 0;
    if (!leitor_.abre(caminho)) {
        mensagem_ = QStringLiteral("Erro tentando abrir o arquivo ") + caminho;
        return false;
    }
    std::string_view cabecalho; // só interessa onde termina
    if (!leitor_.linha(cabecalho, 0)) {
        mensagem_ = QStringLiteral("Erro lendo do arquivo ") + caminho;
        leitor_.fecha();
        return false;
    }
    base_ = leitor_.posicao();
    return true;
}

bool PercursoRelatorio::noFim() {
    const qint64 proximo = emBlocos_ ? proximoBloco_ : leitor_.posicao();
    return leitor_.tamanho() - proximo <= 1;
}

PercursoRelatorio::Passo PercursoRelatorio::proximo(std::string_view& registro) {
    if (noFim()) return Passo::Fim;
    if (!emBlocos_) {
        // Um byte a mais basta para saber que a linha não tem 216 caracteres.
        if (!leitor_.linha(registro, TamanhoRegistroCritica + 1)) {
            if (!leitor_.falhou()) return Passo::Fim;
            mensagem_ = QStringLiteral("Erro lendo Relatório de Críticas!");
            return Passo::Falha;
        }
        if (registro.size() == TamanhoRegistroCritica) {
            ++r_;
            return Passo::Registro;
        }
        // Quebra de linha dentro do registro: relê este registro como bloco.
        emBlocos_ = true;
        proximoBloco_ = base_ + r_ * TamanhoBlocoCritica;
        if (noFim()) return Passo::Fim; // restou só um fragmento menor que um registro
    }
    if (!leitor_.bytesEm(proximoBloco_, TamanhoBlocoCritica, registro)) {
        mensagem_ = QStringLiteral("Erro lendo Relatório de Críticas!");
        return Passo::Falha;
    }
    proximoBloco_ += TamanhoBlocoCritica;
    ++r_;
    return Passo::Registro;
}

} // namespace korventa
