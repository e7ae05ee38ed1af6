#include "EscritorMidia.h"

#include "midia/ChavesMidia.h"
#include "midia/LeituraMidia.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <set>

namespace fs = std::filesystem;

namespace korventa::gravacao {

namespace {

constexpr int NivelCompressao = 6;
// Sem ZIP64 a mídia guarda entradas de até 4 GiB; com folga para o cabeçalho.
constexpr std::uintmax_t MaiorArquivo = 4'000'000'000u;

std::string MotivoSistema(int erro) {
    switch (erro) {
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "não há espaço livre no disco";
    case EACCES:
    case EPERM:
        return "acesso negado";
    case EROFS:
        return "o disco é somente leitura";
    case ENOENT:
        return "arquivo ou pasta inexistente";
    default:
        return std::strerror(erro);
    }
}

// Motivo de uma falha da libzip, com o erro do sistema quando houver.
std::string MotivoZip(zip_error_t* e) {
    if (zip_error_system_type(e) == ZIP_ET_SYS && zip_error_code_system(e) != 0)
        return MotivoSistema(zip_error_code_system(e));
    return zip_error_strerror(e);
}

// Temporário exclusivo na pasta do destino: o rename final não atravessa discos.
std::optional<std::string> CriaTemporario(const std::string& destino, std::string& temp) {
    const fs::path alvo(destino);
    std::random_device rd;
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        char sufixo[16];
        std::snprintf(sufixo, sizeof sufixo, ".tmp-%06x", unsigned(rd() & 0xFFFFFF));
        const fs::path p = alvo.parent_path() / ("." + alvo.filename().string() + sufixo);
        errno = 0;
        if (std::FILE* f = std::fopen(p.string().c_str(), "wbx")) {
            std::fclose(f);
            temp = p.string();
            return std::nullopt;
        }
        if (errno != EEXIST) break;
    }
    return "Não foi possível criar um arquivo na pasta de " + destino + ": " +
           MotivoSistema(errno ? errno : EIO);
}

// Apaga o temporário quando a gravação não chega ao fim.
class Temporario {
public:
    explicit Temporario(std::string caminho) : caminho_(std::move(caminho)) {}
    ~Temporario() {
        if (!caminho_.empty()) {
            std::error_code ec;
            fs::remove(caminho_, ec);
        }
    }
    const std::string& caminho() const { return caminho_; }
    std::optional<std::string> tornaDefinitivo(const std::string& destino) {
        std::error_code ec;
        fs::rename(caminho_, destino, ec);
        if (ec) return "Não foi possível gravar " + destino + ": " + MotivoSistema(ec.value());
        caminho_.clear();
        return std::nullopt;
    }

private:
    std::string caminho_;
};

// Atributos e data iguais em toda entrada: o leitor exige os atributos.
bool AjustaEntrada(zip_t* z, zip_int64_t i, std::time_t quando, bool comprimir) {
    return zip_file_set_external_attributes(z, zip_uint64_t(i), 0, midia::SistemaAtributos,
                                            midia::AtributosExternos) == 0 &&
           zip_file_set_mtime(z, zip_uint64_t(i), quando, 0) == 0 &&
           (!comprimir ||
            zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, NivelCompressao) == 0);
}

std::string FalhaZip(zip_t* z, const std::string& destino) {
    std::string motivo = MotivoZip(zip_get_error(z));
    zip_discard(z);
    return "Erro ao gravar a mídia " + destino + ": " + motivo;
}

void AoProgredir(zip_t*, double fracao, void* ud) {
    auto* faixa = static_cast<std::pair<int, int>*>(ud);
    Progresso() = faixa->first + int(fracao * (faixa->second - faixa->first));
}

// A libzip só aceita comentário em ASCII ou UTF-8, mas o bloco é Windows-1252 (razão social e
// município acentuados). Ela grava um substituto do mesmo tamanho, só com ASCII; depois do
// zip_close o bloco verdadeiro toma o lugar dele nos últimos bytes do arquivo, que nenhum CRC
// cobre.
std::string ComentarioASCII(const std::string& info) {
    std::string s = info;
    for (char& c : s)
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return s;
}

std::optional<std::string> GravaComentarioBruto(const std::string& caminho,
                                                const std::string& destino,
                                                const std::string& info) {
    if (info == ComentarioASCII(info)) return std::nullopt;
    const std::string substituto = ComentarioASCII(info);
    std::FILE* f = std::fopen(caminho.c_str(), "r+b");
    if (!f) return "Erro ao gravar a mídia " + destino + ": " + MotivoSistema(errno);
    std::string lido(info.size(), '\0');
    bool ok = std::fseek(f, -long(info.size()), SEEK_END) == 0 &&
              std::fread(lido.data(), 1, lido.size(), f) == lido.size() && lido == substituto &&
              std::fseek(f, -long(info.size()), SEEK_END) == 0 &&
              std::fwrite(info.data(), 1, info.size(), f) == info.size();
    const int erro = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok)
        return "Erro ao gravar a mídia " + destino + ": " +
               (lido != substituto ? std::string("comentário fora do lugar") : MotivoSistema(erro));
    return std::nullopt;
}

// Acrescenta (ou troca) o midia.ini selado e grava o bloco como comentário. As outras
// entradas passam byte a byte, então o selo calculado sobre elas continua valendo.
std::optional<std::string> Sela(const std::string& caminho, const std::string& destino,
                                const std::string& info, midia::DadosIni ini,
                                const std::string& chaveVariante) {
    midia::ArquivoZip zip;
    if (auto erro = midia::ExaminaZip(caminho, midia::TamanhoInfo, zip))
        return "Erro ao conferir a mídia " + destino + ": " + *erro;
    std::vector<midia::ResumoEntrada> seladas;
    for (const auto& e : zip.entradas)
        if (e.nome != midia::NomeIni) seladas.push_back(midia::ResumoDe(e));
    ini.selo = midia::CalculaSelo(chaveVariante, info, ini, seladas);
    const std::string texto = midia::TextoIni(ini);

    int erro = 0;
    zip_t* z = zip_open(caminho.c_str(), 0, &erro);
    if (!z) {
        zip_error_t e;
        zip_error_init_with_code(&e, erro);
        std::string motivo = MotivoZip(&e);
        zip_error_fini(&e);
        return "Erro ao gravar a mídia " + destino + ": " + motivo;
    }
    zip_source_t* fonte = zip_source_buffer(z, texto.data(), texto.size(), 0);
    zip_int64_t i = zip_name_locate(z, midia::NomeIni, 0);
    if (fonte && i >= 0) {
        if (zip_file_replace(z, zip_uint64_t(i), fonte, 0) < 0) i = -1;
    } else if (fonte) {
        i = zip_file_add(z, midia::NomeIni, fonte, 0);
    }
    if (i < 0) {
        if (fonte) zip_source_free(fonte);
        return FalhaZip(z, destino);
    }
    std::pair<int, int> faixa{90, 99};
    const std::string substituto = ComentarioASCII(info);
    if (!AjustaEntrada(z, i, std::time(nullptr), true) ||
        zip_set_archive_comment(z, substituto.data(), zip_uint16_t(substituto.size())) < 0 ||
        zip_register_progress_callback_with_state(z, 0.01, AoProgredir, nullptr, &faixa) < 0 ||
        zip_close(z) < 0)
        return FalhaZip(z, destino);
    if (auto erro = GravaComentarioBruto(caminho, destino, info)) return erro;
    // A mídia só vale se o leitor do motor a aceitar.
    midia::Midia m;
    if (auto motivo = midia::AbreMidia(caminho, m)) {
        if (*motivo == "selo não confere")
            return "A chave da variante não é a da classe " + ini.classe + ".";
        return "Erro ao conferir a mídia " + destino + ": " + *motivo;
    }
    return std::nullopt;
}

std::optional<std::string> ConfereEntradas(const PedidoMidia& p) {
    if (p.info.size() != midia::TamanhoInfo)
        return "O bloco de identificação tem " + std::to_string(p.info.size()) +
               " caracteres (deve ter 512).";
    for (const std::string* v : {&p.ini.classe, &p.ini.gim, &p.ini.tipoDocumento, &p.ini.codigo,
                                 &p.ini.versao0, &p.ini.versao1, &p.ini.versao2, &p.ini.uf})
        if (!midia::ValorIniAceito(*v)) return "Parâmetro da mídia com quebra de linha.";
    if (p.ini.classe != midia::ClasseEspecial && p.ini.classe != midia::ClassePadrao)
        return "Classe desconhecida: " + p.ini.classe;
    if (p.chaveVariante.empty()) return "Chave da variante não informada.";
    if (p.caminhoMidia.empty()) return "Caminho da mídia não informado.";
    std::set<std::string> nomes{midia::NomeIni};
    std::vector<std::string> caminhos;
    for (const auto& a : p.arquivos)
        caminhos.push_back(a.caminho);
    caminhos.push_back(p.comprovante);
    for (const auto& c : caminhos) {
        std::error_code ec;
        const auto tamanho = fs::file_size(c, ec);
        if (ec) return "Não foi possível ler o arquivo " + c + ": " + MotivoSistema(ec.value());
        if (tamanho > MaiorArquivo) return "Arquivo grande demais para uma mídia: " + c;
        if (fs::equivalent(c, p.caminhoMidia, ec))
            return "A mídia não pode ser gravada sobre o arquivo " + c + ".";
        if (!nomes.insert(NomeNaMidia(c)).second)
            return "Dois arquivos com o nome " + NomeNaMidia(c) + " na mídia.";
    }
    return std::nullopt;
}

// Arquivo de entrada lido pela libzip contando os bytes: o andamento da primeira gravação é a
// fração já lida de todos os arquivos (a libzip só avisa entre uma entrada e outra).
struct FonteContada {
    std::string caminho;
    std::uint64_t tamanho = 0;
    std::FILE* f = nullptr;
    zip_error_t erro{};
    std::uint64_t* lidos = nullptr;
    std::uint64_t total = 1;
};

zip_int64_t LeFonte(void* ud, void* dados, zip_uint64_t n, zip_source_cmd_t cmd) {
    auto* s = static_cast<FonteContada*>(ud);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        errno = 0;
        s->f = std::fopen(s->caminho.c_str(), "rb");
        if (!s->f) {
            zip_error_set(&s->erro, ZIP_ER_OPEN, errno ? errno : EIO);
            return -1;
        }
        return 0;
    case ZIP_SOURCE_READ: {
        const std::size_t lido = std::fread(dados, 1, std::size_t(n), s->f);
        if (lido < n && std::ferror(s->f)) {
            zip_error_set(&s->erro, ZIP_ER_READ, errno ? errno : EIO);
            return -1;
        }
        *s->lidos += lido;
        Progresso() = int(*s->lidos * 90 / s->total);
        return zip_int64_t(lido);
    }
    case ZIP_SOURCE_CLOSE:
        if (s->f) std::fclose(s->f);
        s->f = nullptr;
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(dados);
        zip_stat_init(st);
        st->size = s->tamanho;
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->erro, dados, n);
    case ZIP_SOURCE_FREE:
        if (s->f) std::fclose(s->f);
        zip_error_fini(&s->erro);
        delete s;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&s->erro, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

// Primeira gravação: os arquivos e o bloco, sem o midia.ini.
std::optional<std::string> GravaEntradas(const PedidoMidia& p, const std::string& temp) {
    int erro = 0;
    zip_t* z = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    if (!z) return "Erro ao gravar a mídia " + p.caminhoMidia + ": não abriu o temporário.";
    const std::time_t agora = std::time(nullptr);
    std::vector<ArquivoLista> todos = p.arquivos;
    todos.push_back({p.comprovante, "comprovante", false});
    std::uint64_t lidos = 0, total = 0;
    for (const auto& a : todos) {
        std::error_code ec;
        total += fs::file_size(a.caminho, ec);
    }
    for (const auto& a : todos) {
        std::error_code ec;
        auto* contada = new FonteContada{a.caminho, fs::file_size(a.caminho, ec),     nullptr, {},
                                         &lidos,    std::max<std::uint64_t>(total, 1)};
        zip_error_init(&contada->erro);
        zip_source_t* fonte = zip_source_function(z, LeFonte, contada);
        if (!fonte) {
            LeFonte(contada, nullptr, 0, ZIP_SOURCE_FREE);
            return FalhaZip(z, p.caminhoMidia);
        }
        const zip_int64_t i = zip_file_add(z, NomeNaMidia(a.caminho).c_str(), fonte, 0);
        if (i < 0) {
            zip_source_free(fonte);
            return FalhaZip(z, p.caminhoMidia);
        }
        if (!AjustaEntrada(z, i, agora, true) ||
            (a.cifrar && !p.chave.empty() &&
             zip_file_set_encryption(z, zip_uint64_t(i), ZIP_EM_AES_256, p.chave.c_str()) < 0))
            return FalhaZip(z, p.caminhoMidia);
    }
    // O bloco verdadeiro só entra ao selar; aqui basta reservar o lugar do comentário.
    const std::string substituto = ComentarioASCII(p.info);
    if (zip_set_archive_comment(z, substituto.data(), zip_uint16_t(substituto.size())) < 0 ||
        zip_close(z) < 0)
        return FalhaZip(z, p.caminhoMidia);
    return std::nullopt;
}

} // namespace

std::atomic<int>& Progresso() {
    static std::atomic<int> p{0};
    return p;
}

std::optional<std::string> GravaMidia(const PedidoMidia& p) {
    Progresso() = 0;
    if (auto erro = ConfereEntradas(p)) return erro;
    std::string temp;
    if (auto erro = CriaTemporario(p.caminhoMidia, temp)) return erro;
    Temporario t(temp);
    if (auto erro = GravaEntradas(p, temp)) return erro;
    if (auto erro = Sela(temp, p.caminhoMidia, p.info, p.ini, p.chaveVariante)) return erro;
    if (auto erro = t.tornaDefinitivo(p.caminhoMidia)) return erro;
    Progresso() = 100;
    return std::nullopt;
}

std::optional<std::string> RegravaInfo(const std::string& caminhoMidia, const std::string& info) {
    midia::Midia m;
    if (midia::AbreMidia(caminhoMidia, m)) return midia::MensagemDanificada(caminhoMidia);
    if (info.size() != midia::TamanhoInfo)
        return "O bloco de informações tem " + std::to_string(info.size()) +
               " caracteres (deve ter 512).";
    if (info.compare(0, midia::InicioTransmissao, m.info(), 0, midia::InicioTransmissao) != 0 ||
        info.compare(midia::FimTransmissao, std::string::npos, m.info(), midia::FimTransmissao) !=
            0)
        return "Só as colunas 193 a 502 do bloco de informações podem mudar.";
    std::string temp;
    if (auto erro = CriaTemporario(caminhoMidia, temp)) return erro;
    Temporario t(temp);
    std::error_code ec;
    fs::copy_file(caminhoMidia, temp, fs::copy_options::overwrite_existing, ec);
    if (ec) return "Erro ao gravar a mídia " + caminhoMidia + ": " + MotivoSistema(ec.value());
    const std::string chave = midia::ChaveVariante(m.ini.classe == midia::ClasseEspecial);
    if (auto erro = Sela(temp, caminhoMidia, info, m.ini, chave)) return erro;
    return t.tornaDefinitivo(caminhoMidia);
}

} // namespace korventa::gravacao
