// Faz as vezes de um programa companheiro nos testes: grava os argumentos que recebeu (um por
// linha) em "argumentos-<pid>.txt" na pasta de trabalho e fica no ar até aparecer nela o
// arquivo "sair". Também sai quando esse arquivo some (o teste apagou a pasta) ou depois de
// dois minutos, para nunca sobrar processo de teste.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace std::chrono_literals;
    const std::string nome = "argumentos-" + std::to_string(::getpid());
    {
        std::ofstream saida(nome + ".tmp");
        for (int i = 1; i < argc; ++i)
            saida << argv[i] << '\n';
    }
    // O teste só vê o arquivo completo.
    fs::rename(nome + ".tmp", nome + ".txt");
    const auto limite = std::chrono::steady_clock::now() + 120s;
    while (!fs::exists("sair") && fs::exists(nome + ".txt") &&
           std::chrono::steady_clock::now() < limite)
        std::this_thread::sleep_for(20ms);
    return 0;
}
