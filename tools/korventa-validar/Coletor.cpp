#include "Coletor.h"

#include "Saida.h"

#include <vector>

ColetorCriticas::ColetorCriticas(bool json, std::size_t maximo, std::size_t limiteMemoria)
    : json_(json), maximo_(maximo), limite_(limiteMemoria) {}

ColetorCriticas::~ColetorCriticas() {
    if (temporario_) std::fclose(temporario_);
}

void ColetorCriticas::critica(const kelvor::Critica& c) {
    if (maximo_ != 0 && static_cast<std::size_t>(quantas_) >= maximo_) return;
    if (json_ && quantas_ > 0) memoria_ += ',';
    memoria_ += json_ ? criticaJson(c) : criticaTexto(c);
    ++quantas_;
    if (memoria_.size() >= limite_) descarrega();
}

void ColetorCriticas::descarrega() {
    if (!temporario_) {
        if (semTemporario_) return; // fica tudo na memória
        temporario_ = std::tmpfile();
        if (!temporario_) {
            semTemporario_ = true;
            return;
        }
    }
    if (std::fwrite(memoria_.data(), 1, memoria_.size(), temporario_) != memoria_.size())
        perdeu_ = true; // disco cheio: a saída avisa que a lista ficou incompleta
    memoria_.clear();
}

bool ColetorCriticas::copiaPara(std::FILE* saida) {
    bool ok = !perdeu_;
    if (temporario_) {
        std::rewind(temporario_);
        std::vector<char> bloco(1u << 16);
        std::size_t n;
        while ((n = std::fread(bloco.data(), 1, bloco.size(), temporario_)) > 0)
            ok = std::fwrite(bloco.data(), 1, n, saida) == n && ok;
        ok = !std::ferror(temporario_) && ok;
    }
    return std::fwrite(memoria_.data(), 1, memoria_.size(), saida) == memoria_.size() && ok;
}
