// O arquivo fiscal de uma entrada ainda é o que foi aberto? Compara a data de modificação e o
// tamanho atuais com os guardados na abertura; um arquivo que sumiu também conta como alterado.
// Não mostra mensagem: o detalhe da crítica avisa no próprio rótulo.
//
// A página Validar tem a conferência com caixa de mensagem (VerificaDataHoraArquivo); quando ela
// estiver no mesmo ramo, esta função deve chamá-la sem mensagem em vez de repetir a regra.
#pragma once

namespace korventa {

struct Sessao;

bool ArquivoFiscalInalterado(const Sessao& sessao, int indice);

} // namespace korventa
