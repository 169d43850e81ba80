#use wholecheck
#use exactproduct
// the binomial coefficient: the number of ways to choose k of n things. The
// product n/1 (n-1)/2 ... is kept to twice a double's precision, so that its
// roundings do not add up in the last digit, and scaled down by 2^600
// when it grows large, so that binom(1026,513) does not overflow on the
// way.
function binom(n,k){
  wholecheck("binom",[n,k]);
  if(n<0)throw Error(qsTranslate("binom","binom(n, k): n must not be negative"));
  if(k<0||k>n)return 0;
  k=Math.min(k,n-k);
  if(n>1e290)return k===0?1:k===1?n:Infinity;
  var product={value:[1,0],scales:0};
  for(var i=1;i<=k;++i){
    product=exactstep(product,n-k+i,i);
    // the partial products only grow: past 2^1024 the answer overflows
    if(product.scales>1||(product.scales===1&&product.value[0]>4.3e127))return Infinity;
  }
  return exactstepvalue(product);
}
