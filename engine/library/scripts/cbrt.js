#use pow
// cube root, real for negative numbers too, exact for cubes: cbrt(1000) is
// 10, where pow(x,1/3) gives 9.999999999999998
function cbrt(x){
  domaincheck("cbrt",[x]);
  return x<0?-rootof(-x,3):rootof(x,3);
}
