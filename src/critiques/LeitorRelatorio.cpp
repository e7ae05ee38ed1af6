#include "critiques/LeitorRelatorio.h"

#include <cerrno>
#include <cstring>

namespace korventa {

LeitorRelatorio::LeitorRelatorio(std::size_t tamanhoBloco)
    : buf_(std::max<std::size_t>(tamanhoBloco, 4096)) {}

bool LeitorRelatorio::abre(const QString& caminho) {
    fecha();
    arquivo_.setFileName(caminho);
    errno = 0;
    if (!arquivo_.open(QIODevice::ReadOnly)) {
        registraFalha();
        return false;
    }
    return true;
}

void LeitorRelatorio::fecha() {
    arquivo_.close();
    inicio_ = 0;
    pos_ = fim_ = 0;
    fimArquivo_ = false;
    falhou_ = false;
    numeroErro_ = 0;
    descricaoErro_.clear();
}

void LeitorRelatorio::registraFalha() {
    falhou_ = true;
    numeroErro_ = errno != 0 ? errno : static_cast<int>(arquivo_.error());
    descricaoErro_ = arquivo_.errorString();
}

// Traz mais bytes do arquivo, guardando o que ainda não foi lido no começo do buffer.
bool LeitorRelatorio::carrega() {
    if (falhou_) return false;
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, fim_ - pos_);
        inicio_ += static_cast<qint64>(pos_);
        fim_ -= pos_;
        pos_ = 0;
    }
    if (fim_ == buf_.size()) buf_.resize(buf_.size() * 2); // linha maior que o buffer
    errno = 0;
    const qint64 lidos = arquivo_.read(buf_.data() + fim_, static_cast<qint64>(buf_.size() - fim_));
    if (lidos < 0) {
        registraFalha();
        return false;
    }
    if (lidos == 0) fimArquivo_ = true;
    fim_ += static_cast<std::size_t>(lidos);
    return true;
}

bool LeitorRelatorio::trecho(std::string_view& saida, std::size_t maximo, bool& fimDaLinha) {
    std::size_t varrido = 0; // bytes a partir de pos_ já examinados
    for (;;) {
        const char* ini = buf_.data() + pos_;
        const std::size_t disponivel = fim_ - pos_;
        // O fim de linha logo depois de `maximo` bytes ainda termina a linha neste trecho.
        const std::size_t ate = maximo < disponivel ? maximo + 1 : disponivel;
        const char* lf = static_cast<const char*>(std::memchr(ini + varrido, '\n', ate - varrido));
        const std::size_t ateLf = lf ? static_cast<std::size_t>(lf - ini) : ate;
        const char* cr =
            static_cast<const char*>(std::memchr(ini + varrido, '\r', ateLf - varrido));
        if (cr || lf) {
            const std::size_t k = cr ? static_cast<std::size_t>(cr - ini) : ateLf;
            if (cr && k + 1 == disponivel && !fimArquivo_) {
                // CR no fim do que foi lido: o LF pode estar logo adiante.
                varrido = k;
                if (!carrega()) return false;
                continue;
            }
            std::size_t consumidos = k + 1;
            if (cr && k + 1 < disponivel && ini[k + 1] == '\n') ++consumidos;
            saida = std::string_view(ini, k);
            pos_ += consumidos;
            fimDaLinha = true;
            return true;
        }
        if (disponivel > maximo) {
            saida = std::string_view(ini, maximo);
            pos_ += maximo;
            fimDaLinha = false;
            return true;
        }
        if (fimArquivo_) {
            if (disponivel == 0) return false;
            saida = std::string_view(ini, disponivel); // última linha sem fim de linha
            pos_ = fim_;
            fimDaLinha = true;
            return true;
        }
        varrido = disponivel;
        if (!carrega()) return false;
    }
}

bool LeitorRelatorio::linha(std::string_view& saida, std::size_t maximo) {
    bool fimDaLinha = false;
    if (!trecho(saida, maximo, fimDaLinha)) return false;
    if (fimDaLinha) return true;
    copia_.assign(saida);
    std::string_view resto;
    while (!fimDaLinha && trecho(resto, buf_.size() / 2, fimDaLinha)) {
    }
    if (falhou_) return false;
    saida = copia_;
    return true;
}

bool LeitorRelatorio::bytesEm(qint64 deslocamento, std::size_t quantos, std::string_view& saida) {
    if (falhou_) return false;
    if (deslocamento >= inicio_ && deslocamento <= inicio_ + static_cast<qint64>(fim_)) {
        pos_ = static_cast<std::size_t>(deslocamento - inicio_);
    } else {
        errno = 0;
        if (deslocamento < 0 || !arquivo_.seek(deslocamento)) {
            registraFalha();
            return false;
        }
        inicio_ = deslocamento;
        pos_ = fim_ = 0;
        fimArquivo_ = false;
    }
    while (fim_ - pos_ < quantos && !fimArquivo_) {
        if (!carrega()) return false;
    }
    if (fim_ - pos_ >= quantos) {
        saida = std::string_view(buf_.data() + pos_, quantos);
        pos_ += quantos;
        return true;
    }
    copia_.assign(buf_.data() + pos_, fim_ - pos_);
    copia_.resize(quantos, ' ');
    pos_ = fim_;
    saida = copia_;
    return true;
}

} // namespace korventa
