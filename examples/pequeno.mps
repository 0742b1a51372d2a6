NAME          PEQUENO
ROWS
 N  CUSTO
 L  LIM1
 G  LIM2
 E  LIM3
 L  LIM4
COLUMNS
    X1        CUSTO          1.0   LIM1           1.0
    X1        LIM2           1.0
    X2        CUSTO          2.0   LIM1           1.0
    X2        LIM3          -1.0
    X3        CUSTO         -1.0   LIM2          -2.5
    X3        LIM3           1.0   LIM4           3.0
    X4        LIM4          -1.0   LIM1          -1.0
RHS
    RHS       LIM1           4.0   LIM2           1.0
    RHS       LIM3           0.0   LIM4           5.0
BOUNDS
 UP BND       X1             4.0
ENDATA
