// Como as threads do -j se repartem: arquivos ao mesmo tempo e, dentro de cada um, as threads
// da validação.
#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>

// Threads ao todo: as pedidas, ou uma por núcleo (0).
inline std::size_t threadsAoTodo(int tarefas) {
    return tarefas > 0 ? static_cast<std::size_t>(tarefas)
                       : std::max(1u, std::thread::hardware_concurrency());
}

// Arquivos validados ao mesmo tempo com `tarefas` threads ao todo: um por thread, sem passar
// do número de arquivos.
inline std::size_t arquivosAoMesmoTempo(int tarefas, std::size_t arquivos) {
    return std::max<std::size_t>(1, std::min(threadsAoTodo(tarefas), arquivos));
}

// Threads da validação de cada arquivo na vaga `vaga` (de 0 a simultaneos - 1): as threads ao
// todo repartidas entre as vagas, as que sobram da divisão para as primeiras. Um arquivo só
// fica com todas; nenhuma vaga fica sem.
inline int threadsDaVaga(int tarefas, std::size_t simultaneos, std::size_t vaga) {
    const std::size_t total = threadsAoTodo(tarefas), vagas = std::max<std::size_t>(1, simultaneos);
    const std::size_t n = total / vagas + (vaga < total % vagas ? 1 : 0);
    return static_cast<int>(std::max<std::size_t>(1, n));
}
