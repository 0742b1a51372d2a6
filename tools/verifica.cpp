// verifica: checks a solution file against an instance, with code of its own
// (it shares nothing with the solver but the input formats).
//
//   verifica [-m] instancia solucao
//
// The instance is a signed graph ("n m", then m records "u w sign", sign 1,
// -1 or 2), or with -m a matrix ("rows cols", then the entries row by row,
// each 0, 1 or -1).  The solution holds lines "vertex side" (side 0 or 1);
// lines beginning with '#' are comments, except that "# valor K", when
// present, must match the number of vertices.  The set is valid when its
// vertices are in range and distinct, no double edge joins two of them, and
// every positive edge lies inside a side and every negative one across.  For
// a matrix, two rows nonzero in a common column are joined negatively where
// their entries are equal and positively where they differ.
//
// Prints the size and exits 0 when valid; prints the first violation and
// exits 1 otherwise; exits 2 when a file cannot be read or is malformed.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void falha(int status, const std::string& mensagem) {
  std::fprintf(status == 1 ? stdout : stderr, "%s\n", mensagem.c_str());
  std::exit(status);
}

// Whitespace-separated integers, with the position of each for messages.
class Numeros {
 public:
  explicit Numeros(const char* caminho) : nome_(caminho) {
    std::ifstream in(caminho, std::ios::binary);
    if (!in) falha(2, std::string("verifica: nao foi possivel abrir ") + caminho);
    std::stringstream s;
    s << in.rdbuf();
    texto_ = s.str();
  }
  long long proximo(const char* oque, long long menor, long long maior) {
    while (pos_ < texto_.size() && std::strchr(" \t\r\n\v\f", texto_[pos_]) != nullptr) pos_++;
    if (pos_ == texto_.size()) falha(2, nome_ + ": fim da entrada onde se esperava " + oque);
    const char* inicio = texto_.c_str() + pos_;
    char* fim = nullptr;
    errno = 0;
    const long long v = std::strtoll(inicio, &fim, 10);
    if (fim == inicio || errno != 0 || (*fim != '\0' && std::strchr(" \t\r\n\v\f", *fim) == nullptr))
      falha(2, nome_ + ": numero invalido onde se esperava " + oque);
    if (v < menor || v > maior)
      falha(2, nome_ + ": " + oque + " fora de " + std::to_string(menor) + ".." + std::to_string(maior));
    pos_ += static_cast<size_t>(fim - inicio);
    return v;
  }
  void fim() {
    while (pos_ < texto_.size() && std::strchr(" \t\r\n\v\f", texto_[pos_]) != nullptr) pos_++;
    if (pos_ != texto_.size()) falha(2, nome_ + ": texto depois do fim da instancia");
  }

 private:
  std::string nome_, texto_;
  size_t pos_ = 0;
};

struct Solucao {
  std::vector<int> lado;  // per vertex: -1 not chosen, 0 or 1
  long long tamanho = 0;
};

Solucao leSolucao(const char* caminho, long long n) {
  std::ifstream in(caminho);
  if (!in) falha(2, std::string("verifica: nao foi possivel abrir ") + caminho);
  Solucao s;
  s.lado.assign(static_cast<size_t>(n), -1);
  long long declarado = -1;
  std::string linha;
  for (int numero = 1; std::getline(in, linha); numero++) {
    const std::string onde = "linha " + std::to_string(numero) + " da solucao: ";
    if (!linha.empty() && linha[0] == '#') {
      std::istringstream h(linha.substr(1));
      std::string chave;
      if (h >> chave && chave == "valor" && !(h >> declarado)) falha(1, onde + "valor ilegivel");
      continue;
    }
    std::istringstream l(linha);
    long long v, lado;
    std::string resto;
    if (!(l >> v)) {
      if (linha.find_first_not_of(" \t\r") == std::string::npos) continue;
      falha(1, onde + "esperava \"vertice lado\"");
    }
    if (!(l >> lado) || (l >> resto)) falha(1, onde + "esperava \"vertice lado\"");
    if (v < 0 || v >= n) falha(1, onde + "vertice " + std::to_string(v) + " fora de 0.." + std::to_string(n - 1));
    if (lado != 0 && lado != 1) falha(1, onde + "lado " + std::to_string(lado) + " (deve ser 0 ou 1)");
    if (s.lado[v] != -1) falha(1, onde + "vertice " + std::to_string(v) + " repetido");
    s.lado[v] = static_cast<int>(lado);
    s.tamanho++;
  }
  if (declarado >= 0 && declarado != s.tamanho)
    falha(1, "o cabecalho declara valor " + std::to_string(declarado) + " mas a solucao tem " +
                 std::to_string(s.tamanho) + " vertices");
  return s;
}

// The rule of one edge between two chosen vertices; empty when kept.
std::string violacao(long long sinal, int ladoU, int ladoW) {
  if (sinal == 2) return "aresta dupla entre dois escolhidos";
  if (sinal == 1 && ladoU != ladoW) return "aresta positiva entre lados diferentes";
  if (sinal == -1 && ladoU == ladoW) return "aresta negativa dentro de um lado";
  return "";
}

void verificaGrafo(const char* instancia, const char* solucao) {
  Numeros in(instancia);
  const long long n = in.proximo("o numero de vertices", 0, 1073741823);
  const long long m = in.proximo("o numero de arestas", 0, 1LL << 40);
  std::vector<long long> registros;
  for (long long k = 0; k < m; k++) {
    const long long u = in.proximo("um vertice", 0, n - 1);
    const long long w = in.proximo("um vertice", 0, n - 1);
    const long long s = in.proximo("um sinal", -1, 2);
    if (s == 0) falha(2, std::string(instancia) + ": sinal 0 na aresta " + std::to_string(k + 1));
    registros.insert(registros.end(), {u, w, s});
  }
  in.fim();
  const Solucao sol = leSolucao(solucao, n);
  for (size_t k = 0; k < registros.size(); k += 3) {
    const long long u = registros[k], w = registros[k + 1], s = registros[k + 2];
    if (sol.lado[u] < 0 || sol.lado[w] < 0) continue;
    // A loop joins a vertex to itself: harmless when positive.
    const std::string erro = u == w ? (s == 1 ? "" : "laco negativo ou duplo em um escolhido")
                                    : violacao(s, sol.lado[u], sol.lado[w]);
    if (!erro.empty())
      falha(1, "aresta " + std::to_string(k / 3 + 1) + " (" + std::to_string(u) + " " +
                   std::to_string(w) + " " + std::to_string(s) + "): " + erro);
  }
  std::printf("valida: %lld vertices\n", sol.tamanho);
}

void verificaMatriz(const char* instancia, const char* solucao) {
  Numeros in(instancia);
  const long long linhas = in.proximo("o numero de linhas", 0, 1073741823);
  const long long colunas = in.proximo("o numero de colunas", 0, 1073741823);
  std::vector<signed char> a;
  for (long long i = 0; i < linhas * colunas; i++)
    a.push_back(static_cast<signed char>(in.proximo("uma entrada", -1, 1)));
  in.fim();
  const Solucao sol = leSolucao(solucao, linhas);
  // Per column, the chosen rows nonzero there are pairwise joined.
  for (long long c = 0; c < colunas; c++) {
    std::vector<long long> nela;
    for (long long r = 0; r < linhas; r++)
      if (sol.lado[r] >= 0 && a[r * colunas + c] != 0) nela.push_back(r);
    for (size_t i = 0; i < nela.size(); i++)
      for (size_t j = i + 1; j < nela.size(); j++) {
        const long long r = nela[i], s = nela[j];
        const int sinal = a[r * colunas + c] == a[s * colunas + c] ? -1 : 1;
        const std::string erro = violacao(sinal, sol.lado[r], sol.lado[s]);
        if (!erro.empty())
          falha(1, "linhas " + std::to_string(r) + " e " + std::to_string(s) + ", coluna " +
                       std::to_string(c) + ": " + erro);
      }
  }
  std::printf("valida: %lld vertices\n", sol.tamanho);
}

}  // namespace

int main(int argc, char** argv) {
  const bool matriz = argc == 4 && std::strcmp(argv[1], "-m") == 0;
  if (argc != 3 && !matriz) falha(2, "uso: verifica [-m] instancia solucao");
  if (matriz) verificaMatriz(argv[2], argv[3]);
  else verificaGrafo(argv[1], argv[2]);
  return 0;
}
