// The probe on its thread: the search, its best set watched, its hold.
#include "driver/sondaCombinatoria.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "driver/resolucaoCombinatoria.h"

SondaCombinatoria::SondaCombinatoria(const GrafoSimples& g, const std::vector<char>& inicial,
                                     const Prazo& prazo, const AjustesDaBusca& ajustes,
                                     const Acompanhamento& acomp, std::FILE* saida, double espera)
    : inicial_(inicial), acomp_(acomp) {
  tamanhoMelhor_ = static_cast<int>(std::count(inicial.begin(), inicial.end(), 1));
  // The search's best set is watched at its clock checks, for the root that
  // may come next, besides going wherever the run sends it.
  const auto querDaCorrida = acomp.quer;
  const auto recebeDaCorrida = acomp.recebe;
  acomp_.quer = [this, querDaCorrida](double valor) {
    querFora_ = querDaCorrida && querDaCorrida(valor);
    std::lock_guard<std::mutex> trava(mutex_);
    return querFora_ || valor > tamanhoMelhor_ + 0.5;
  };
  acomp_.recebe = [this, recebeDaCorrida](const std::vector<char>& escolhido, double limitante) {
    {
      const int tamanho = static_cast<int>(std::count(escolhido.begin(), escolhido.end(), 1));
      std::lock_guard<std::mutex> trava(mutex_);
      if (tamanho > tamanhoMelhor_) {
        melhor_ = escolhido;
        tamanhoMelhor_ = tamanho;
      }
    }
    if (querFora_ && recebeDaCorrida) recebeDaCorrida(escolhido, limitante);
  };
  const Prazo comPausa = prazo.pausavel(&pausa_);
  if (espera > 0) segura(espera);
  fio_ = std::thread([this, &g, comPausa, ajustes, saida, espera] {
    // Ended before it started, it has searched nothing: no set, no bound.
    ResultadoBusca r;
    r.limitante = 1e40;
    if (espera <= 0 || !comPausa.passou()) {
      paradaAntes_ = pausa_.segundosParada();  // not the search's to discount
      r = resolveCombinatorio(g, &inicial_, comPausa, ajustes, acomp_, saida);
    }
    std::lock_guard<std::mutex> trava(mutex_);
    resultado_ = std::move(r);
    pronta_ = true;
    terminouFlag_.store(true);
    terminou_.notify_all();
  });
}

SondaCombinatoria::~SondaCombinatoria() {
  if (fio_.joinable()) resultado(true);
}

bool SondaCombinatoria::terminaEm(double segundos) {
  std::unique_lock<std::mutex> trava(mutex_);
  return terminou_.wait_for(trava, std::chrono::duration<double>(std::max(0.0, segundos)),
                            [this] { return pronta_; });
}

void SondaCombinatoria::segura(double segundos) {
  if (!(segundos < 1e9)) return pausa_.pede();
  pausa_.pede(Pausa::Relogio::now() + std::chrono::duration_cast<Pausa::Relogio::duration>(
                                          std::chrono::duration<double>(std::max(0.0, segundos))));
}

std::vector<char> SondaCombinatoria::melhor(int* tamanho) const {
  std::lock_guard<std::mutex> trava(mutex_);
  *tamanho = tamanhoMelhor_;
  return melhor_;
}

ResultadoBusca SondaCombinatoria::resultado(bool encerra) {
  pausa_.solta(encerra);
  fio_.join();
  ResultadoBusca r = std::move(resultado_);
  if (r.perfil.ligado)
    r.perfil.segundos[ETAPA_COMBINATORIO] =
        std::max(0.0, r.perfil.segundos[ETAPA_COMBINATORIO] - (pausa_.segundosParada() - paradaAntes_));
  return r;
}
