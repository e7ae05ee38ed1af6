// O arquivo inteiro mapeado na memória, só para leitura: abrir não lê nada, e um arquivo de
// gigabytes aparece na hora. Se o arquivo encolher enquanto está aberto, as páginas que sumiram
// passam a ler zeros em vez de derrubar o programa, e truncado() avisa.
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>

namespace tramil {

class ArquivoMapeado {
public:
    ArquivoMapeado() = default;
    ~ArquivoMapeado();
    ArquivoMapeado(const ArquivoMapeado&) = delete;
    ArquivoMapeado& operator=(const ArquivoMapeado&) = delete;

    // Falso com a mensagem para o usuário: não existe, é pasta, não pode ser lido, está vazio
    // ou não é texto.
    bool abre(const QString& caminho, QString& erro);
    void fecha();

    bool aberto() const { return dados_ != nullptr; }
    std::string_view dados() const { return {dados_, static_cast<std::size_t>(tamanho_)}; }
    std::int64_t tamanho() const { return tamanho_; }
    const QString& caminho() const { return caminho_; }

    // Uma leitura caiu numa parte que o arquivo já não tem (ele encolheu depois de aberto).
    bool truncado() const;

    enum class Situacao { Igual, Removido, Alterado };
    // O arquivo no disco ainda é o que foi aberto?
    Situacao confere() const;

private:
    const char* dados_ = nullptr;
    std::int64_t tamanho_ = 0;
    QString caminho_;
    int regiao_ = -1; // registro da proteção contra arquivo que encolhe
    std::uint64_t dispositivo_ = 0, inode_ = 0;
    std::int64_t modificado_ = 0;
    void* mapaQt_ = nullptr; // QFile quando não há mmap do sistema
};

} // namespace tramil
